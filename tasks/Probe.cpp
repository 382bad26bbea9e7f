#include "tasks/Probe.h"

#include "platform/Files.h"

#include <MediaInfoDLL/MediaInfoDLL_Static.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

constexpr MediaInfo_stream_C kGeneral = MediaInfo_Stream_General;
constexpr MediaInfo_stream_C kVideo = MediaInfo_Stream_Video;

struct HandleDeleter {
    void operator()(void *handle) const {
        MediaInfo_Close(handle);
        MediaInfo_Delete(handle);
    }
};
using MediaInfoHandle = std::unique_ptr<void, HandleDeleter>;

std::wstring toWide(const QString &text) {
    return text.toStdWString();
}

QString get(void *handle, MediaInfo_stream_C kind, const wchar_t *parameter) {
    const wchar_t *answer =
        MediaInfo_Get(handle, kind, 0, parameter, MediaInfo_Info_Text, MediaInfo_Info_Name);
    return answer ? QString::fromWCharArray(answer) : QString();
}

}  // namespace

ProbeAnswer ProbeMedia(const QString &fileName) {
    // Only plain files are probed: a named pipe or a device with a video extension is no
    // video, and reading one could block the window.
    if (!platform::files::isRegularFile(fileName))
        return {};
    MediaInfoHandle handle(MediaInfo_New());
    if (!handle)
        return {};
    MediaInfo_Open(handle.get(), toWide(fileName).c_str());
    ProbeAnswer answer;
    answer.playTime = get(handle.get(), kGeneral, L"PlayTime");
    answer.width = get(handle.get(), kVideo, L"Width");
    answer.height = get(handle.get(), kVideo, L"Height");
    return answer;
}

std::optional<double> ParsePlayTime(const QString &answer) {
    bool ok = false;
    const double value = answer.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

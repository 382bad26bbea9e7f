#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <cerrno>
#include <cstring>

namespace platform::files {

bool fileExists(const QString &path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool folderExists(const QString &path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool isRegularFile(const QString &path) {
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<QString> createFolder(const QString &path) {
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return std::nullopt;
    const int error = errno;
    return QObject::tr("Unable to create the folder %1: %2")
        .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error)));
}

bool deleteFile(const QString &path) {
    return QFile::remove(path);
}

std::optional<QByteArray> readAll(const QString &path, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return file.readAll();
}

}  // namespace platform::files

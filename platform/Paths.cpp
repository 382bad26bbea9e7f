#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace platform {

namespace {

QChar separator() {
    return QDir::separator();
}

// Letter case first decides nothing; names that differ only in case (both can exist here) still
// come in a fixed order.
bool lessIgnoringCase(const QString &a, const QString &b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

// Plain, visible files only: without QDir::Hidden names starting with "." stay out, and without
// QDir::System so do FIFOs, sockets and devices, which a reader would block on or choke on.
QStringList listPlainFiles(const QString &folder,
                           const std::function<bool(const QString &)> &keep,
                           bool *ok) {
    // An empty folder text would make QDir list the working folder, which nobody asked for.
    const QFileInfo info(folder);
    const bool listable =
        !folder.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable();
    if (ok)
        *ok = listable;
    if (!listable)
        return {};

    QStringList names;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QString &name : entries) {
        if (keep(name))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

}  // namespace

QString IncludeBackslash(const QString &path) {
    if (path.isEmpty() || path.endsWith(separator()))
        return path;
    return path + separator();
}

QString RemoveFileExt(const QString &name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.first(dot);
}

QStringList ListFilesByExt(const QString &folder, const QString &ext, bool *ok) {
    const QString wanted = ext.toLower();
    return listPlainFiles(
        folder, [&wanted](const QString &name) { return ExtractFileExt(name).toLower() == wanted; },
        ok);
}

QString ExtractFileDir(const QString &path) {
    const qsizetype last = path.lastIndexOf(separator());
    if (last < 0)
        return QString();
    // A root or a doubled separator keeps its last separator: "/" alone still names a folder.
    if (last == 0 || path[last - 1] == separator())
        return path.first(last + 1);
    return path.first(last);
}

QString ExtractFileName(const QString &path) {
    return path.sliced(path.lastIndexOf(separator()) + 1);
}

QString ExtractFileExt(const QString &path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || path.indexOf(separator(), dot) >= 0)
        return QString();
    return path.sliced(dot);
}

QStringList ListFilesByMask(const QString &folder, const QString &mask) {
    QList<QRegularExpression> patterns;
    for (const QString &part : mask.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty())
            continue;
        patterns.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                           QRegularExpression::CaseInsensitiveOption));
    }
    if (patterns.isEmpty())
        return {};
    return listPlainFiles(
        folder,
        [&patterns](const QString &name) {
            return std::any_of(
                patterns.cbegin(), patterns.cend(),
                [&name](const QRegularExpression &re) { return re.match(name).hasMatch(); });
        },
        nullptr);
}

}  // namespace platform

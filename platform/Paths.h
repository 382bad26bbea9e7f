#pragma once

#include <QString>
#include <QStringList>

// Path rules on native separators ("/" on POSIX). The application folder and every folder that
// the program composes paths from end in one separator.
namespace platform {

// Path with a separator appended when its last character is not one; an empty path gives the
// empty text (no caller should pass one).
QString IncludeBackslash(const QString &path);

// The file name without its last "." and everything after it; a name without "." comes back
// whole ("clip.part1.avi" gives "clip.part1"). It works on names: handed a path, it still cuts at
// the last "." even when that stands in a folder part ("/a.b/c" gives "/a").
QString RemoveFileExt(const QString &name);

// Names (without folder) of the plain, visible files directly inside folder whose extension, in
// lower case, equals ext in lower case; sorted by name without regard to letter case. When the
// folder cannot be listed (missing, not a folder, unreadable, or the empty text) the list is
// empty and *ok, if given, becomes false; otherwise *ok becomes true.
QStringList ListFilesByExt(const QString &folder, const QString &ext, bool *ok = nullptr);

// The folder part of a path: up to its last separator, without that separator unless it is the
// first character or follows another separator ("/out.avi" gives "/", "/v/out.avi" gives "/v",
// "/v/" gives "/v", "out.avi" gives "").
QString ExtractFileDir(const QString &path);

// The part after the last separator ("/v/out.avi" gives "out.avi").
QString ExtractFileName(const QString &path);

// The extension from the last "." to the end, provided no separator follows that "."; empty when
// there is none ("/a.b/c" gives "").
QString ExtractFileExt(const QString &path);

// Plain, visible files directly inside folder whose names match one of the wildcard patterns of
// mask ("*.avi;*.mpg;"), letter case ignored, blanks around a pattern ignored; names without
// folder, sorted without regard to letter case. A folder that cannot be listed gives no names.
QStringList ListFilesByMask(const QString &folder, const QString &mask);

}  // namespace platform

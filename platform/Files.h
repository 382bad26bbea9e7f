#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Files and folders as the program needs them.
namespace platform::files {

bool fileExists(const QString &path);  // a file, not a folder
bool folderExists(const QString &path);
// A plain file: not a folder, pipe, socket or device, which a reader could block on.
bool isRegularFile(const QString &path);
// Creates the last level of path; its parent must exist. The error text on failure.
std::optional<QString> createFolder(const QString &path);
bool deleteFile(const QString &path);
// The whole file, or nothing with the reason in *error.
std::optional<QByteArray> readAll(const QString &path, QString *error = nullptr);

}  // namespace platform::files

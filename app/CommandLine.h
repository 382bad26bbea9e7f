#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The entries that the command line names: the lines of a list file when the first argument's
// extension is ".tmp" in any letter case (all other arguments are then ignored), else every
// argument in order.
struct CommandLineEntries {
    QStringList entries;
    QString error;  // why the list file could not be read; no entries then
};

// readFile gives a file's bytes, or nothing with the reason.
using ReadFile = std::function<std::optional<QByteArray>(const QString &path, QString *error)>;
CommandLineEntries EntriesFromArguments(const QStringList &arguments, const ReadFile &readFile);

// The lines of a text, ended by CR LF, LF or CR; a last line without an end counts, and lines
// are taken as they are, without trimming.
QStringList SplitLines(const QString &text);

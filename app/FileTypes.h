#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The file types that the program reads and writes, and the file dialog filters built from them.

// Extensions of the output types, in the order of the save dialog's filter.
QStringList OutputExtensions();
// Extensions of the inputs that the program adds from folders, drops and the command line.
QStringList InputExtensions();
// "*" + extension + ";" for each entry: "*.avi;*.mpg;...;*.asf;", with the trailing ";".
QString InputMask(const QStringList &inputExts);

// True when the extension of fileName, in lower case, equals an entry of exts exactly.
bool IsSupportedFile(const QString &fileName, const QStringList &exts);

// One entry of a file dialog filter: a description and its patterns, separated by ";".
struct FilterPair {
    QString description;
    QString patterns;
    bool operator==(const FilterPair &) const = default;
};

// "AVI Files (*.avi)" / "*.avi" for each extension, then "All Files (*.*)" / "*.*".
QList<FilterPair> OutputFilter(const QStringList &outputExts);
// "All Support Files(" + mask + ")" / mask first, then one pair per extension, then All Files.
QList<FilterPair> InputFilter(const QStringList &inputExts);

// The filter in the "description|pattern|description|pattern" notation of the description.
QString JoinedFilter(const QList<FilterPair> &pairs);
// The filter in Qt's notation, one entry per pair: the description's text before its
// parenthesis, then the patterns in parentheses separated by blanks, as Qt reads them.
QStringList QtFilter(const QList<FilterPair> &pairs);

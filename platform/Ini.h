#pragma once

#include <QString>

#include <stdexcept>

// Reading and writing one key of an INI file at a time, as Preferences.ini and the profile
// files need it. Every call opens the file afresh and caches nothing, so a hand edit made while
// the program runs is seen by the next read.
//
// Rules:
// - section and key names match without regard to letter case;
// - on reading, blanks around a value are dropped, then one pair of double quotes around it;
//   at most 2047 characters of a value are returned;
// - a missing file, section or key gives the default; a key present with an empty value gives
//   the empty text;
// - only the first section of a name is looked at, and in it the first key of a name;
// - a write replaces the value of the first matching key of the first matching section, or adds
//   the key at the end of that section, or adds the section at the end of the file; every other
//   byte of the file (other sections, unknown keys, comment lines, line ends) stays as it was;
//   a replaced key keeps its spelling from the file, an added line takes the file's line end;
// - a value is one line: a written value is cut at its first line break;
// - the file is UTF-8.
namespace platform::ini {

inline constexpr int kMaxValueLength = 2047;

// Raised by a write that the system refuses; what() is "Unable to write to <full path>".
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const QString &filePath);
    QString text() const { return m_text; }

private:
    QString m_text;
};

QString readString(const QString &filePath,
                   const QString &section,
                   const QString &key,
                   const QString &defaultValue);

// Decimal with an optional minus sign, or hexadecimal after "0x"/"0X" when the text is longer
// than two characters; anything else (missing, empty, not a number, blanks around it, a number
// outside the range of int) gives the default.
int readInteger(const QString &filePath,
                const QString &section,
                const QString &key,
                int defaultValue);

// An integer read with the default counting as 1 for true and 0 for false; true when not 0.
bool readBool(const QString &filePath,
              const QString &section,
              const QString &key,
              bool defaultValue);

// The integer rule on its own, for values that are already in hand.
int parseInteger(const QString &text, int defaultValue);

void writeString(const QString &filePath,
                 const QString &section,
                 const QString &key,
                 const QString &value);
void writeInteger(const QString &filePath, const QString &section, const QString &key, int value);
void writeBool(const QString &filePath, const QString &section, const QString &key, bool value);

}  // namespace platform::ini

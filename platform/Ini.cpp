#include "platform/Ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <vector>

namespace platform::ini {

namespace {

// The file is handled as bytes and only the names and values that a call looks at are decoded,
// so that a write can hand back every other byte untouched, even bytes that are not UTF-8.
struct Line {
    qsizetype start = 0;       // first byte of the line
    qsizetype contentEnd = 0;  // first byte of the line end, or the end of the file
    qsizetype end = 0;         // first byte after the line end
};

enum class Kind { Other, Section, Key };

struct ParsedLine {
    Kind kind = Kind::Other;
    QString name;             // section or key name, trimmed
    qsizetype equalsPos = 0;  // for a key line: the byte of its "=", counted from the line start
};

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArray trimBlanks(QByteArrayView bytes) {
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && isBlank(bytes[first]))
        ++first;
    while (last > first && isBlank(bytes[last - 1]))
        --last;
    return bytes.sliced(first, last - first).toByteArray();
}

qsizetype bomLength(const QByteArray &data) {
    return data.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0;
}

// CR LF, LF and a lone CR each end a line.
std::vector<Line> splitLines(const QByteArray &data) {
    std::vector<Line> lines;
    qsizetype pos = bomLength(data);
    const qsizetype size = data.size();
    while (pos < size) {
        Line line;
        line.start = pos;
        while (pos < size && data[pos] != '\n' && data[pos] != '\r')
            ++pos;
        line.contentEnd = pos;
        if (pos < size) {
            if (data[pos] == '\r' && pos + 1 < size && data[pos + 1] == '\n')
                pos += 2;
            else
                pos += 1;
        }
        line.end = pos;
        lines.push_back(line);
    }
    return lines;
}

ParsedLine parseLine(QByteArrayView content) {
    ParsedLine parsed;
    const QByteArray trimmed = trimBlanks(content);
    if (trimmed.isEmpty() || trimmed.startsWith(';'))
        return parsed;
    if (trimmed.startsWith('[')) {
        // Text after the closing bracket is ignored, so "[Main] ; note" still opens [Main].
        const qsizetype close = trimmed.lastIndexOf(']');
        if (close > 0) {
            parsed.kind = Kind::Section;
            parsed.name = QString::fromUtf8(trimBlanks(trimmed.sliced(1, close - 1)));
        }
        return parsed;
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return parsed;
    parsed.kind = Kind::Key;
    parsed.name = QString::fromUtf8(trimBlanks(content.first(equals)));
    parsed.equalsPos = equals;
    return parsed;
}

bool sameName(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArrayView contentOf(const QByteArray &data, const Line &line) {
    return QByteArrayView(data).sliced(line.start, line.contentEnd - line.start);
}

// Where a section and a key stand in the file, as line indexes.
struct Location {
    std::optional<size_t> section;  // the first section of that name
    std::optional<size_t> key;      // the first key of that name inside it
    std::optional<size_t> lastKey;  // the last key line of any name inside it
};

Location locate(const QByteArray &data,
                const std::vector<Line> &lines,
                const QString &section,
                const QString &key) {
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    Location location;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(contentOf(data, lines[i]));
        if (parsed.kind == Kind::Section) {
            // Only the first section of a name counts; a later copy is never read or written.
            if (location.section)
                break;
            if (sameName(parsed.name, wantedSection))
                location.section = i;
        } else if (parsed.kind == Kind::Key && location.section) {
            location.lastKey = i;
            if (!location.key && sameName(parsed.name, wantedKey))
                location.key = i;
        }
    }
    return location;
}

std::optional<QByteArray> readFile(const QString &filePath) {
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// At most kMaxValueLength characters, counting a character outside the Basic Multilingual Plane
// once, so that the cut never splits it into half a surrogate pair.
QString capLength(const QString &value) {
    qsizetype units = 0;
    for (int count = 0; count < kMaxValueLength && units < value.size(); ++count)
        units += value[units].isHighSurrogate() && units + 1 < value.size() ? 2 : 1;
    return value.first(units);
}

QString valueOf(QByteArrayView content, qsizetype equalsPos) {
    QByteArray value = trimBlanks(content.sliced(equalsPos + 1));
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.sliced(1, value.size() - 2);
    const QString text = capLength(QString::fromUtf8(value));
    // A key that is present answers with a text, even an empty one, never with a null text.
    return text.isNull() ? QStringLiteral("") : text;
}

std::optional<int> parseDigits(QStringView digits, int base, bool negative) {
    if (digits.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 result = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (base == 16 && u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (base == 16 && u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            return std::nullopt;
        result = result * base + digit;
        if (result > limit)
            return std::nullopt;
    }
    return int(negative ? -result : result);
}

QByteArray lineEndOf(const QByteArray &data, const Line &line) {
    return data.sliced(line.contentEnd, line.end - line.contentEnd);
}

// The line end that the file already uses, so that an added line matches its neighbours.
QByteArray fileLineEnd(const QByteArray &data, const std::vector<Line> &lines) {
    for (const Line &line : lines) {
        if (line.end > line.contentEnd)
            return lineEndOf(data, line);
    }
    return "\n";
}

// A value is one line: whatever follows a line break would become a line of its own.
QByteArray oneLine(const QString &value) {
    QByteArray bytes = value.toUtf8();
    const qsizetype lf = bytes.indexOf('\n');
    const qsizetype cr = bytes.indexOf('\r');
    qsizetype cut = bytes.size();
    if (lf >= 0)
        cut = lf;
    if (cr >= 0 && cr < cut)
        cut = cr;
    bytes.truncate(cut);
    return bytes;
}

QByteArray withKey(const QByteArray &data,
                   const QString &section,
                   const QString &key,
                   const QString &value) {
    const std::vector<Line> lines = splitLines(data);
    const Location location = locate(data, lines, section, key);
    const QByteArray valueBytes = oneLine(value);
    QByteArray result = data;

    if (location.key) {
        // Everything up to and including "=" stays, so the key keeps the spelling and the
        // indentation that the file gives it; only the value after "=" changes.
        const Line &line = lines[*location.key];
        const ParsedLine parsed = parseLine(contentOf(data, line));
        const qsizetype valueStart = line.start + parsed.equalsPos + 1;
        return result.replace(valueStart, line.contentEnd - valueStart, valueBytes);
    }

    const QByteArray keyLine = key.toUtf8() + '=' + valueBytes;
    if (location.section) {
        // After the section's last key line, so blank lines and comments that lead into the next
        // section stay in front of it.
        const Line &after = lines[location.lastKey.value_or(*location.section)];
        if (after.end > after.contentEnd)
            return result.insert(after.end, keyLine + lineEndOf(data, after));
        return result.insert(after.end, fileLineEnd(data, lines) + keyLine);
    }

    const QByteArray eol = fileLineEnd(data, lines);
    if (data.size() > bomLength(data) && !data.endsWith('\n') && !data.endsWith('\r'))
        result += eol;
    result += '[' + section.toUtf8() + ']' + eol + keyLine + eol;
    return result;
}

}  // namespace

WriteError::WriteError(const QString &filePath)
    : std::runtime_error(QStringLiteral("Unable to write to %1")
                             .arg(QDir::toNativeSeparators(QFileInfo(filePath).absoluteFilePath()))
                             .toStdString()),
      m_text(QString::fromUtf8(what())) {}

QString readString(const QString &filePath,
                   const QString &section,
                   const QString &key,
                   const QString &defaultValue) {
    const std::optional<QByteArray> data = readFile(filePath);
    if (!data)
        return defaultValue;
    const std::vector<Line> lines = splitLines(*data);
    const Location location = locate(*data, lines, section, key);
    if (!location.key)
        return defaultValue;
    const QByteArrayView content = contentOf(*data, lines[*location.key]);
    return valueOf(content, parseLine(content).equalsPos);
}

int parseInteger(const QString &text, int defaultValue) {
    std::optional<int> result;
    if (text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X")))
        result = parseDigits(QStringView(text).sliced(2), 16, false);
    else if (text.startsWith(u'-'))
        result = parseDigits(QStringView(text).sliced(1), 10, true);
    else
        result = parseDigits(text, 10, false);
    return result.value_or(defaultValue);
}

int readInteger(const QString &filePath,
                const QString &section,
                const QString &key,
                int defaultValue) {
    return parseInteger(readString(filePath, section, key, QString()), defaultValue);
}

bool readBool(const QString &filePath,
              const QString &section,
              const QString &key,
              bool defaultValue) {
    return readInteger(filePath, section, key, defaultValue ? 1 : 0) != 0;
}

void writeString(const QString &filePath,
                 const QString &section,
                 const QString &key,
                 const QString &value) {
    QByteArray data;
    if (QFileInfo::exists(filePath)) {
        // A file that exists but cannot be read cannot be rewritten with its other bytes kept.
        std::optional<QByteArray> existing = readFile(filePath);
        if (!existing)
            throw WriteError(filePath);
        data = std::move(*existing);
    }

    // The new content goes to a temporary file beside the old one and replaces it only when
    // complete, so a failed write never leaves half a file. No direct-write fallback: a folder
    // that refuses the temporary file refuses the write.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        throw WriteError(filePath);
    const QByteArray content = withKey(data, section, key, value);
    if (file.write(content) != content.size() || !file.commit())
        throw WriteError(filePath);
}

void writeInteger(const QString &filePath, const QString &section, const QString &key, int value) {
    writeString(filePath, section, key, QString::number(value));
}

void writeBool(const QString &filePath, const QString &section, const QString &key, bool value) {
    writeString(filePath, section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace platform::ini

#include "app/CommandLine.h"

#include "platform/Paths.h"

QStringList SplitLines(const QString &text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

CommandLineEntries EntriesFromArguments(const QStringList &arguments, const ReadFile &readFile) {
    CommandLineEntries result;
    if (arguments.isEmpty())
        return result;
    const QString &first = arguments.constFirst();
    if (platform::ExtractFileExt(first).toLower() != QStringLiteral(".tmp")) {
        result.entries = arguments;
        return result;
    }
    QString error;
    const std::optional<QByteArray> bytes = readFile(first, &error);
    if (!bytes) {
        result.error = error;
        return result;
    }
    result.entries = SplitLines(QString::fromUtf8(*bytes));
    return result;
}

#include "app/FileTypes.h"

#include "platform/Paths.h"

QStringList OutputExtensions() {
    return {".avi", ".mpg", ".mp4", ".wmv", ".mov", ".vob", ".asf", ".flv"};
}

QStringList InputExtensions() {
    return {".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"};
}

QString InputMask(const QStringList &inputExts) {
    QString mask;
    for (const QString &ext : inputExts)
        mask += u'*' + ext + u';';
    return mask;
}

bool IsSupportedFile(const QString &fileName, const QStringList &exts) {
    QString ext = platform::ExtractFileExt(fileName);
    // Only the letters A to Z change case, as in the file systems' own rule.
    for (QChar &c : ext) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return exts.contains(ext);
}

namespace {

FilterPair pairFor(const QString &ext) {
    return {ext.mid(1).toUpper() + QStringLiteral(" Files (*") + ext + u')', u'*' + ext};
}

const FilterPair kAllFiles{QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")};

}  // namespace

QList<FilterPair> OutputFilter(const QStringList &outputExts) {
    QList<FilterPair> pairs;
    for (const QString &ext : outputExts)
        pairs.append(pairFor(ext));
    pairs.append(kAllFiles);
    return pairs;
}

QList<FilterPair> InputFilter(const QStringList &inputExts) {
    const QString mask = InputMask(inputExts);
    QList<FilterPair> pairs{{QStringLiteral("All Support Files(") + mask + u')', mask}};
    for (const QString &ext : inputExts)
        pairs.append(pairFor(ext));
    pairs.append(kAllFiles);
    return pairs;
}

QString JoinedFilter(const QList<FilterPair> &pairs) {
    QStringList pieces;
    for (const FilterPair &pair : pairs)
        pieces << pair.description << pair.patterns;
    return pieces.join(u'|');
}

QStringList QtFilter(const QList<FilterPair> &pairs) {
    QStringList filters;
    for (const FilterPair &pair : pairs) {
        const qsizetype open = pair.description.indexOf(u'(');
        const QString text = open < 0 ? pair.description + u' ' : pair.description.left(open);
        const QStringList patterns = pair.patterns.split(u';', Qt::SkipEmptyParts);
        filters.append(text + u'(' + patterns.join(u' ') + u')');
    }
    return filters;
}

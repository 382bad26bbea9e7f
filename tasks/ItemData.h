#pragma once

#include <QString>

class QTreeWidget;

// The transfer record of one task list row. The rows of the list are the only storage of the
// inputs; this record is a copy, read and written with GetItemData and SetItemData.
struct ltvItemData {
    QString InputFile;   // the row caption: the input's full path exactly as it was added
    QString LengthText;  // play time as a time text
    QString SizeText;    // "720x480"; just "x" for a file without video
    QString Status;
    double LengthSeconds = 0;  // derived from LengthText on every read, -1 when not a time text
};

// Which parts of a row GetItemData and SetItemData copy.
enum TItemField {
    fldAll = -2,
    fldCaption = -1,
    fldLength = 0,
    fldSize = 1,
    fldStatus = 2,
};

namespace status {
inline const QString OK = QStringLiteral("OK");
inline const QString Converting = QStringLiteral("Converting");
inline const QString WaitingForJoining = QStringLiteral("Waiting for joining");
inline const QString Joining = QStringLiteral("Joining");
inline const QString Complete = QStringLiteral("Complete");
inline const QString Stop = QStringLiteral("Stop");
}  // namespace status

// Both need an existing row, index counted from 0 at the top. Fields that field does not name
// keep what data held before.
void GetItemData(const QTreeWidget *list, int index, TItemField field, ltvItemData &data);
void SetItemData(QTreeWidget *list, int index, TItemField field, const ltvItemData &data);

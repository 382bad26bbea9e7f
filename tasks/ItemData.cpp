#include "tasks/ItemData.h"

#include "tasks/TimeText.h"

#include <QTreeWidget>

namespace {

// Column 0 shows the caption; cells 0..2 are columns 1..3.
constexpr int kCaptionColumn = 0;
int columnOfCell(int cell) {
    return cell + 1;
}

}  // namespace

void GetItemData(const QTreeWidget *list, int index, TItemField field, ltvItemData &data) {
    const QTreeWidgetItem *row = list->topLevelItem(index);
    Q_ASSERT(row);
    if (field == fldAll || field == fldCaption)
        data.InputFile = row->text(kCaptionColumn);
    if (field == fldAll || field == fldLength) {
        data.LengthText = row->text(columnOfCell(fldLength));
        data.LengthSeconds = TimeTextToSeconds(data.LengthText);
    }
    if (field == fldAll || field == fldSize)
        data.SizeText = row->text(columnOfCell(fldSize));
    if (field == fldAll || field == fldStatus)
        data.Status = row->text(columnOfCell(fldStatus));
}

void SetItemData(QTreeWidget *list, int index, TItemField field, const ltvItemData &data) {
    QTreeWidgetItem *row = list->topLevelItem(index);
    Q_ASSERT(row);
    if (field == fldAll || field == fldCaption)
        row->setText(kCaptionColumn, data.InputFile);
    if (field == fldAll || field == fldLength)
        row->setText(columnOfCell(fldLength), data.LengthText);
    if (field == fldAll || field == fldSize)
        row->setText(columnOfCell(fldSize), data.SizeText);
    if (field == fldAll || field == fldStatus)
        row->setText(columnOfCell(fldStatus), data.Status);
}

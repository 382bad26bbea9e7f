#include "tasks/ItemData.h"

#include "../common/QtPrinters.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct FieldCase {
    const char *name;
    TItemField field;
    ltvItemData expected;     // what Get leaves in a record that held "old" values
    QStringList rowAfterSet;  // the row after Set of a "new" record
};
std::ostream &operator<<(std::ostream &os, const FieldCase &c) {
    return os << c.name;
}

const ltvItemData kOld{"old", "old", "old", "old", 42};
const ltvItemData kNew{"/v/new.avi", "00:00:59.10", "720x480", "Joining", 7};

class ItemDataTest : public ::testing::TestWithParam<FieldCase> {
protected:
    ItemDataTest() {
        list.setColumnCount(4);
        new QTreeWidgetItem(&list, QStringList{"/v/a.avi", "00:01:23.2", "320x240", "OK"});
    }
    QTreeWidget list;
};

TEST_P(ItemDataTest, GetCopiesOnlyTheNamedFields) {
    ltvItemData data = kOld;
    GetItemData(&list, 0, GetParam().field, data);
    const ltvItemData &e = GetParam().expected;
    EXPECT_EQ(data.InputFile, e.InputFile);
    EXPECT_EQ(data.LengthText, e.LengthText);
    EXPECT_EQ(data.SizeText, e.SizeText);
    EXPECT_EQ(data.Status, e.Status);
    EXPECT_DOUBLE_EQ(data.LengthSeconds, e.LengthSeconds);
}

TEST_P(ItemDataTest, SetWritesOnlyTheNamedCells) {
    SetItemData(&list, 0, GetParam().field, kNew);
    QStringList row;
    for (int column = 0; column < 4; ++column)
        row.append(list.topLevelItem(0)->text(column));
    EXPECT_EQ(row, GetParam().rowAfterSet);
}

const FieldCase kFieldCases[] = {
    {"All",
     fldAll,
     {"/v/a.avi", "00:01:23.2", "320x240", "OK", 83.2},
     {"/v/new.avi", "00:00:59.10", "720x480", "Joining"}},
    {"Caption",
     fldCaption,
     {"/v/a.avi", "old", "old", "old", 42},
     {"/v/new.avi", "00:01:23.2", "320x240", "OK"}},
    {"Length",
     fldLength,
     {"old", "00:01:23.2", "old", "old", 83.2},
     {"/v/a.avi", "00:00:59.10", "320x240", "OK"}},
    {"Size",
     fldSize,
     {"old", "old", "320x240", "old", 42},
     {"/v/a.avi", "00:01:23.2", "720x480", "OK"}},
    {"Status",
     fldStatus,
     {"old", "old", "old", "OK", 42},
     {"/v/a.avi", "00:01:23.2", "320x240", "Joining"}},
};
INSTANTIATE_TEST_SUITE_P(Table,
                         ItemDataTest,
                         ::testing::ValuesIn(kFieldCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ItemData, LengthThatIsNoTimeTextGivesMinusOne) {
    QTreeWidget list;
    list.setColumnCount(4);
    new QTreeWidgetItem(&list, QStringList{"/v/a.avi", "", "x", "OK"});
    ltvItemData data;
    GetItemData(&list, 0, fldAll, data);
    EXPECT_EQ(data.LengthSeconds, -1);
    EXPECT_EQ(data.SizeText, QStringLiteral("x"));
}

}  // namespace

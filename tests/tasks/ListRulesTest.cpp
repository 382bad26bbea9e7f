#include "tasks/ListRules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// A list of rows named by their first position (1 to n), as the moves see it.
struct Rows {
    std::vector<int> order;
    std::vector<bool> selected;

    int count() const { return int(order.size()); }
    bool isSelected(int i) const { return selected[size_t(i)]; }
    void setSelected(int i, bool on) { selected[size_t(i)] = on; }
    void exchange(int i, int j) { std::swap(order[size_t(i)], order[size_t(j)]); }
};

std::vector<int> selectedRows(const Rows &list) {
    std::vector<int> result;
    for (int i = 0; i < list.count(); ++i) {
        if (list.selected[size_t(i)])
            result.push_back(i + 1);  // positions counted from 1, as the cases read
    }
    return result;
}

struct MoveCase {
    const char *name;
    bool up;
    std::vector<int> selectedBefore;
    std::vector<int> orderAfter;
    std::vector<int> selectedAfter;  // positions, from 1
};
std::ostream &operator<<(std::ostream &os, const MoveCase &c) {
    return os << c.name;
}

class MoveTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveTest, MovesTheSelection) {
    const MoveCase &c = GetParam();
    Rows list{{1, 2, 3, 4, 5}, std::vector<bool>(5, false)};
    for (int row : c.selectedBefore)
        list.selected[size_t(row - 1)] = true;
    if (c.up)
        MoveSelectedUp(list);
    else
        MoveSelectedDown(list);
    EXPECT_EQ(list.order, c.orderAfter);
    EXPECT_EQ(selectedRows(list), c.selectedAfter);
}

const MoveCase kMoveCases[] = {
    {"UpWithNothingSelected", true, {}, {1, 2, 3, 4, 5}, {}},
    {"DownWithNothingSelected", false, {}, {1, 2, 3, 4, 5}, {}},
    {"UpTopRowStays", true, {1}, {1, 2, 3, 4, 5}, {1}},
    {"UpBlockOfTwo", true, {2, 3}, {2, 3, 1, 4, 5}, {1, 2}},
    {"UpTopTwoExchange", true, {1, 2}, {2, 1, 3, 4, 5}, {1}},
    {"UpSeparateRows", true, {2, 4}, {2, 1, 4, 3, 5}, {1, 3}},
    {"UpBottomRow", true, {5}, {1, 2, 3, 5, 4}, {4}},
    {"DownBottomTwoExchange", false, {4, 5}, {1, 2, 3, 5, 4}, {5}},
    {"DownBottomRowStays", false, {5}, {1, 2, 3, 4, 5}, {5}},
    {"DownBlockOfTwo", false, {2, 3}, {1, 4, 2, 3, 5}, {3, 4}},
    {"DownTopRow", false, {1}, {2, 1, 3, 4, 5}, {2}},
};
INSTANTIATE_TEST_SUITE_P(Table, MoveTest, ::testing::ValuesIn(kMoveCases), [](const auto &info) {
    return std::string(info.param.name);
});

struct ResizeCase {
    QList<int> before;
    int delta;
    QList<int> after;
};
std::ostream &operator<<(std::ostream &os, const ResizeCase &c) {
    return os << "delta " << c.delta;
}

class SpreadWidthChangeTest : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(SpreadWidthChangeTest, SpreadsByShares) {
    EXPECT_EQ(SpreadWidthChange(GetParam().before, GetParam().delta), GetParam().after);
}

const ResizeCase kResizeCases[] = {
    // 80 - 1.5 = 78.5 goes to the even 78.
    {{350, 90, 80, 150}, -10, {345, 88, 78, 148}},
    {{350, 90, 80, 150}, 10, {355, 92, 82, 152}},
    {{350, 90, 80, 150}, 0, {350, 90, 80, 150}},
    {{350, 90, 80, 150}, 196, {446, 123, 109, 187}},
    // No minimum: columns can become negative in the arithmetic and are left to the control.
    {{10, 10, 10, 10}, -100, {-39, -7, -5, -9}},
};
INSTANTIATE_TEST_SUITE_P(Table, SpreadWidthChangeTest, ::testing::ValuesIn(kResizeCases));

}  // namespace

#pragma once

#include <QList>

// Rules of the task list that need no widget: column widths on a resize and the moves of a
// selection. The window applies them to its list control.

// The widths of the four columns after the list has grown by delta pixels (negative when it
// shrank): each column takes its share of the change (0.49, 0.17, 0.15, 0.19), rounded half to
// even. No minimum or maximum.
QList<int> SpreadWidthChange(const QList<int> &widths, int delta);

// The moves below work on any list that offers count(), isSelected(i), setSelected(i, on) and
// exchange(i, j) (contents only; selection stays with the position).

// Every selected row moves up by one; a selected top row stays, and when it and the row below it
// are both selected the exchange made for the second row moves it down.
template <typename List>
void MoveSelectedUp(List &list) {
    for (int i = 1; i < list.count(); ++i) {
        if (list.isSelected(i)) {
            list.exchange(i - 1, i);
            list.setSelected(i - 1, true);
            list.setSelected(i, false);
        }
    }
}

// The mirror image of MoveSelectedUp, walking from the second-last row to the top.
template <typename List>
void MoveSelectedDown(List &list) {
    for (int i = list.count() - 2; i >= 0; --i) {
        if (list.isSelected(i)) {
            list.exchange(i, i + 1);
            list.setSelected(i + 1, true);
            list.setSelected(i, false);
        }
    }
}

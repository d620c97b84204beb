// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/WindowFactory.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace lentora {

namespace content {
class ContentTable;
}

// The movable-words table's Tipas of a record, or nothing when the record is missing.
using MovableWordsTypeLookup = std::function<std::optional<int>(std::uint16_t recordNumber)>;

// Runs the lines in order, one fresh window each, adding the exercises' points to `totals`.
// An exercise that cannot open is skipped and the lines after it run: a window's
// openFailure() is reported once per call, and a closed table (whose load failure was
// reported when it failed) is not reported again. Any other error thrown by a window's
// Execute leaves at once; the lines after it do not run.
void runCommandLines(const QByteArrayList& lines, const WindowFactory& factory, QWidget* parent,
                     const MovableWordsTypeLookup& movableWordsType, content::Points& totals);

// A menu item built from the outline: the menu table Id it names and its command number.
struct MenuLink {
    std::int32_t menuId = 0;
    int command = 0;
};

// The first link with that command number.
std::optional<std::int32_t> menuIdForCommand(const std::vector<MenuLink>& links, int command);

// The handling of one chosen menu item: runs the row's command lines and, when exercises
// reported points, rewards the grade (sound first, then the grade window). An error ends the
// handling with a message box and no grade. Returns true unless it ended with an error.
struct DispatchContext {
    const std::vector<MenuLink>* links = nullptr;
    content::ContentTable* menuTable = nullptr;
    content::ContentTable* movableWordsTable = nullptr;
    const WindowFactory* factory = nullptr;
    QWidget* parent = nullptr;
    std::function<void(int grade)> reward;
};
bool dispatchCommand(const DispatchContext& context, int command);

}  // namespace lentora

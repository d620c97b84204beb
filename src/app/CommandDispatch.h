// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/WindowFactory.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QDateTime>

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
// With `results`, every shown exercise's result is appended in order, and a skipped exercise
// as one marked skipped with the reason; the theory book adds none.
void runCommandLines(const QByteArrayList& lines, const WindowFactory& factory, QWidget* parent,
                     const MovableWordsTypeLookup& movableWordsType, content::Points& totals,
                     std::vector<content::ExerciseResult>* results = nullptr);

// A menu item built from the outline: the menu table Id it names, its command number and its
// captions from the menu bar down ("Rašyba > Balsių rašyba > Nosinės raidės").
struct MenuLink {
    std::int32_t menuId = 0;
    int command = 0;
    QString path;
};

// A graded menu entry as it ended.
struct EntryOutcome {
    std::int32_t menuId = 0;
    QString menuPath;
    content::Points points;
    int grade = 0;
    std::vector<content::ExerciseResult> exercises;
    QDateTime started;
    QDateTime ended;
};

// The first link with that command number.
std::optional<std::int32_t> menuIdForCommand(const std::vector<MenuLink>& links, int command);

// The handling of one chosen menu item: runs the row's command lines and, when exercises
// reported points, hands the outcome to `record` and then rewards the grade (sound first,
// then the grade window, which can open the review). An error ends the handling with a message
// box, no record and no grade. Returns true unless it ended with an error.
struct DispatchContext {
    const std::vector<MenuLink>* links = nullptr;
    content::ContentTable* menuTable = nullptr;
    content::ContentTable* movableWordsTable = nullptr;
    const WindowFactory* factory = nullptr;
    QWidget* parent = nullptr;
    std::function<void(const EntryOutcome& outcome)> reward;
    std::function<void(const EntryOutcome& outcome)> record;
};
bool dispatchCommand(const DispatchContext& context, int command);

}  // namespace lentora

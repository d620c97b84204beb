// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandDispatch.h"

#include "content/CommandLine.h"
#include "content/ContentTable.h"
#include "content/Grades.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/Error.h"

namespace lentora {

namespace {

// The exercise kind a line opens; none for the theory book and unknown kinds. A movable-words
// line whose Tipas cannot be read is taken for gap filling.
std::optional<content::ExerciseKind> exerciseKindOf(content::CommandKind kind, int variant) {
    switch (kind) {
        case content::CommandKind::SimpleTest:
            return content::ExerciseKind::SimpleTest;
        case content::CommandKind::MovableWords:
            return variant == 2 ? content::ExerciseKind::Sorting
                                : content::ExerciseKind::GapFilling;
        case content::CommandKind::MarkedWords:
            return content::ExerciseKind::MarkedWords;
        default:
            return std::nullopt;
    }
}

void addSkipped(std::vector<content::ExerciseResult>* results, content::CommandKind kind,
                int variant, std::int32_t record, const QString& failure) {
    const std::optional<content::ExerciseKind> exerciseKind = exerciseKindOf(kind, variant);
    if (results && exerciseKind) {
        content::ExerciseResult skipped;
        skipped.kind = *exerciseKind;
        skipped.record = record;
        skipped.skipped = true;
        skipped.failure = failure;
        results->push_back(std::move(skipped));
    }
}

// Opens the line's window, unless there is none or its exercise cannot open.
void runCommandLine(const content::CommandLine& line, const WindowFactory& factory, QWidget* parent,
                    const MovableWordsTypeLookup& movableWordsType, content::Points& totals,
                    QStringList& reportedFailures, std::vector<content::ExerciseResult>* results,
                    int& variant) {
    const std::int32_t record = content::recordNumberFor(line.kind, line.recordNumber);
    WindowKey key{line.kind};
    if (line.kind == content::CommandKind::MovableWords) {
        const std::optional<int> type = movableWordsType(static_cast<std::uint16_t>(record));
        if (!type) {
            return;
        }
        key.variant = *type;
        variant = *type;
    }
    const std::unique_ptr<WindowEntry> window = factory.create(key, parent);
    if (!window) {
        return;
    }
    const QString failure = window->openFailure();
    if (!failure.isEmpty()) {
        if (!reportedFailures.contains(failure)) {
            reportedFailures.append(failure);
            reportError(failure);
        }
        addSkipped(results, line.kind, key.variant, record, failure);
        return;
    }
    window->Execute(record, totals);
    if (results) {
        if (std::optional<content::ExerciseResult> result = window->result()) {
            results->push_back(std::move(*result));
        }
    }
}

}  // namespace

void runCommandLines(const QByteArrayList& lines, const WindowFactory& factory, QWidget* parent,
                     const MovableWordsTypeLookup& movableWordsType, content::Points& totals,
                     std::vector<content::ExerciseResult>* results) {
    QStringList reportedFailures;
    for (const QByteArray& text : lines) {
        const content::CommandLine line = content::parseCommandLine(text);
        if (line.kind == content::CommandKind::None) {
            continue;
        }
        int variant = 0;
        try {
            runCommandLine(line, factory, parent, movableWordsType, totals, reportedFailures,
                           results, variant);
        } catch (const content::ClosedTableError& error) {
            // The table's load failure was reported when it happened; only this line is lost.
            addSkipped(results, line.kind, variant,
                       content::recordNumberFor(line.kind, line.recordNumber), error.text());
        }
    }
}

namespace {

const MenuLink* linkForCommand(const std::vector<MenuLink>& links, int command) {
    for (const MenuLink& link : links) {
        if (link.command == command) {
            return &link;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::int32_t> menuIdForCommand(const std::vector<MenuLink>& links, int command) {
    const MenuLink* link = linkForCommand(links, command);
    return link ? std::optional<std::int32_t>(link->menuId) : std::nullopt;
}

bool dispatchCommand(const DispatchContext& context, int command) {
    return guarded([&] {
        content::Points totals;
        EntryOutcome outcome;
        outcome.started = QDateTime::currentDateTime();
        const MenuLink* link = context.links ? linkForCommand(*context.links, command) : nullptr;
        const std::optional<std::int32_t> menuId =
            link ? std::optional<std::int32_t>(link->menuId) : std::nullopt;
        // A menu table that failed to load was reported then; its items run nothing.
        if (menuId && context.menuTable->isOpen() &&
            context.menuTable->findKey(static_cast<double>(*menuId))) {
            const QByteArrayList lines = content::MenuRow::read(*context.menuTable).commandLines();
            const MovableWordsTypeLookup movableWordsType =
                [&](std::uint16_t record) -> std::optional<int> {
                content::ContentTable& table = *context.movableWordsTable;
                if (!table.findKey(static_cast<double>(record))) {
                    return std::nullopt;
                }
                return table.asInt(content::MovableWordsFields::type);
            };
            runCommandLines(lines, *context.factory, context.parent, movableWordsType, totals,
                            &outcome.exercises);
        }
        if (const std::optional<int> grade = content::gradeFor(totals.score, totals.maxScore)) {
            outcome.ended = QDateTime::currentDateTime();
            outcome.menuId = link->menuId;
            outcome.menuPath = link->path;
            outcome.points = totals;
            outcome.grade = *grade;
            if (context.record) {
                // A fault of the record is the store's to tell; the grade still shows.
                guarded([&] { context.record(outcome); });
            }
            if (context.reward) {
                context.reward(outcome);
            }
        }
    });
}

}  // namespace lentora

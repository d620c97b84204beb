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

// Opens the line's window, unless there is none or its exercise cannot open.
void runCommandLine(const content::CommandLine& line, const WindowFactory& factory, QWidget* parent,
                    const MovableWordsTypeLookup& movableWordsType, content::Points& totals,
                    QStringList& reportedFailures) {
    const std::int32_t record = content::recordNumberFor(line.kind, line.recordNumber);
    WindowKey key{line.kind};
    if (line.kind == content::CommandKind::MovableWords) {
        const std::optional<int> type = movableWordsType(static_cast<std::uint16_t>(record));
        if (!type) {
            return;
        }
        key.variant = *type;
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
        return;
    }
    window->Execute(record, totals);
}

}  // namespace

void runCommandLines(const QByteArrayList& lines, const WindowFactory& factory, QWidget* parent,
                     const MovableWordsTypeLookup& movableWordsType, content::Points& totals) {
    QStringList reportedFailures;
    for (const QByteArray& text : lines) {
        const content::CommandLine line = content::parseCommandLine(text);
        if (line.kind == content::CommandKind::None) {
            continue;
        }
        try {
            runCommandLine(line, factory, parent, movableWordsType, totals, reportedFailures);
        } catch (const content::ClosedTableError&) {
            // The table's load failure was reported when it happened; only this line is lost.
        }
    }
}

std::optional<std::int32_t> menuIdForCommand(const std::vector<MenuLink>& links, int command) {
    for (const MenuLink& link : links) {
        if (link.command == command) {
            return link.menuId;
        }
    }
    return std::nullopt;
}

bool dispatchCommand(const DispatchContext& context, int command) {
    return guarded([&] {
        content::Points totals;
        const std::optional<std::int32_t> menuId =
            context.links ? menuIdForCommand(*context.links, command) : std::nullopt;
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
            runCommandLines(lines, *context.factory, context.parent, movableWordsType, totals);
        }
        if (const std::optional<int> grade = content::gradeFor(totals.score, totals.maxScore)) {
            if (context.reward) {
                context.reward(*grade);
            }
        }
    });
}

}  // namespace lentora

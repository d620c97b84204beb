#include "app/CommandDispatch.h"

#include "app/Grade.h"
#include "content/CommandLine.h"
#include "content/ContentTable.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/Error.h"

namespace lentora {

void runCommandLines(const QByteArrayList& lines, const WindowFactory& factory, QWidget* parent,
                     const MovableWordsTypeLookup& movableWordsType, content::Points& totals) {
    for (const QByteArray& text : lines) {
        const content::CommandLine line = content::parseCommandLine(text);
        if (line.kind == content::CommandKind::None) {
            continue;
        }
        const std::int32_t record = content::recordNumberFor(line.kind, line.recordNumber);
        WindowKey key{line.kind};
        if (line.kind == content::CommandKind::MovableWords) {
            const std::optional<int> type = movableWordsType(static_cast<std::uint16_t>(record));
            if (!type) {
                continue;
            }
            key.variant = *type;
        }
        if (std::unique_ptr<WindowEntry> window = factory.create(key, parent)) {
            window->Execute(record, totals);
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
        if (menuId && context.menuTable->findKey(static_cast<double>(*menuId))) {
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
        if (const std::optional<int> grade = gradeFor(totals.score, totals.maxScore)) {
            if (context.reward) {
                context.reward(*grade);
            }
        }
    });
}

}  // namespace lentora

#include "app/CommandDispatch.h"

#include "app/Grade.h"
#include "content/CommandLine.h"
#include "content/ContentTable.h"
#include "platform/Error.h"

namespace lentora {

void runCommandLines(const QByteArrayList& lines, WindowFactory& factory, QWidget* parent,
                     const MovableWordsTypeLookup& movableWordsType, ScoreTotals& totals) {
    for (const QByteArray& text : lines) {
        const content::CommandLine line = content::parseCommandLine(text);
        // The theory book and the two movable-words windows take 16-bit record numbers.
        const auto record16 = static_cast<std::uint16_t>(line.recordNumber);
        std::unique_ptr<ExerciseEntry> exercise;
        switch (line.kind) {
            case content::CommandKind::Theory:
                if (auto theory = factory.createTheoryBook(parent)) {
                    theory->Execute(record16);
                }
                break;
            case content::CommandKind::SimpleTest:
                exercise = factory.createSimpleTest(parent);
                break;
            case content::CommandKind::MovableWords:
                if (const std::optional<int> type = movableWordsType(record16)) {
                    if (*type == 1) {
                        exercise = factory.createMovableWords(parent);
                    } else if (*type == 2) {
                        exercise = factory.createMovableWordsSorting(parent);
                    }
                }
                break;
            case content::CommandKind::MarkedWords:
                if (auto marked = factory.createMarkedWords(parent)) {
                    marked->Execute(line.recordNumber, totals.score, totals.maxScore);
                }
                break;
            case content::CommandKind::None:
                break;
        }
        if (exercise) {
            exercise->Execute(record16, totals.score, totals.maxScore);
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
        ScoreTotals totals;
        const std::optional<std::int32_t> menuId =
            context.links ? menuIdForCommand(*context.links, command) : std::nullopt;
        if (menuId && context.menuTable->findKey(static_cast<double>(*menuId))) {
            const QByteArrayList lines = context.menuTable->asLines("Komandos");
            const MovableWordsTypeLookup movableWordsType =
                [&](std::uint16_t record) -> std::optional<int> {
                content::ContentTable& table = *context.movableWordsTable;
                if (!table.findKey(static_cast<double>(record))) {
                    return std::nullopt;
                }
                return table.asInt("Tipas");
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

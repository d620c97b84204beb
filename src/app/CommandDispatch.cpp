#include "app/CommandDispatch.h"

#include "app/Grade.h"
#include "app/MenuOutline.h"
#include "content/ContentTable.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"

namespace lentora {

namespace {

// Column 16 onwards holds the kind name.
constexpr qsizetype kKindColumn = 15;

const QByteArray& kindName(CommandKind kind) {
    static const QByteArray theory = toCp1257(u"Teorijos langas");
    static const QByteArray simpleTest = toCp1257(u"Paprastas pratimas");
    static const QByteArray movableWords = toCp1257(u"Kilnojamų žodžių pratimas");
    static const QByteArray markedWords =
        toCp1257(u"Pratimas su pabraukiamais/išbraukiamais žodžiais");
    static const QByteArray none;
    switch (kind) {
        case CommandKind::Theory:
            return theory;
        case CommandKind::SimpleTest:
            return simpleTest;
        case CommandKind::MovableWords:
            return movableWords;
        case CommandKind::MarkedWords:
            return markedWords;
        case CommandKind::None:
            break;
    }
    return none;
}

}  // namespace

CommandKind commandKindOf(QByteArrayView name) {
    for (CommandKind kind : {CommandKind::Theory, CommandKind::SimpleTest,
                             CommandKind::MovableWords, CommandKind::MarkedWords}) {
        if (name == kindName(kind)) {
            return kind;
        }
    }
    return CommandKind::None;
}

CommandLine parseCommandLine(QByteArrayView line) {
    CommandLine command;
    command.recordNumber = readLeadingInteger(line.first(std::min<qsizetype>(5, line.size())));
    if (line.size() > kKindColumn) {
        command.kindName = line.sliced(kKindColumn).toByteArray();
    }
    command.kind = commandKindOf(command.kindName);
    return command;
}

void runCommandLines(const QByteArrayList& lines, WindowFactory& factory, QWidget* parent,
                     const MovableWordsTypeLookup& movableWordsType, ScoreTotals& totals) {
    for (const QByteArray& text : lines) {
        const CommandLine line = parseCommandLine(text);
        // The theory book and the two movable-words windows take 16-bit record numbers.
        const auto record16 = static_cast<std::uint16_t>(line.recordNumber);
        std::unique_ptr<ExerciseEntry> exercise;
        switch (line.kind) {
            case CommandKind::Theory:
                if (auto theory = factory.createTheoryBook(parent)) {
                    theory->Execute(record16);
                }
                break;
            case CommandKind::SimpleTest:
                exercise = factory.createSimpleTest(parent);
                break;
            case CommandKind::MovableWords:
                if (const std::optional<int> type = movableWordsType(record16)) {
                    if (*type == 1) {
                        exercise = factory.createMovableWords(parent);
                    } else if (*type == 2) {
                        exercise = factory.createMovableWordsSorting(parent);
                    }
                }
                break;
            case CommandKind::MarkedWords:
                if (auto marked = factory.createMarkedWords(parent)) {
                    marked->Execute(line.recordNumber, totals.score, totals.maxScore);
                }
                break;
            case CommandKind::None:
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

// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: command lines of a menu row, alone and dispatched over a fuzzed menu table
// and movable-words table with fake windows. Each line opens the window its kind and record
// name, in order, with the record cut as the kind takes it; an error stops the row; the grade
// is that of the points the windows reported.
#include "FuzzCheck.h"
#include "app/CommandDispatch.h"
#include "content/CommandLine.h"
#include "content/ContentTable.h"
#include "content/Grades.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/Error.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace lentora;
using namespace lentora::content;

namespace {

struct Opened {
    CommandKind kind;
    int variant;
    std::int32_t record;
    bool operator==(const Opened&) const = default;
};

struct FakeWindows : WindowFactory {
    std::vector<Opened> opened;
    int points = 0;
    int possible = 0;
    std::int32_t throwAt = -1;

    struct Window : WindowEntry {
        FakeWindows* owner;
        WindowKey key;
        Window(FakeWindows* o, WindowKey k) : owner(o), key(k) {}
        bool Execute(std::int32_t record, content::Points& totals) override {
            owner->opened.push_back({key.kind, key.variant, record});
            if (record == owner->throwAt) {
                throw Error(QStringLiteral("Cannot open file Memo.tmp"));
            }
            if (key.kind != CommandKind::Theory) {
                totals.score += owner->points;
                totals.maxScore += owner->possible;
            }
            return true;
        }
    };

    FakeWindows() {
        for (WindowKey key :
             {WindowKey{CommandKind::Theory}, WindowKey{CommandKind::SimpleTest},
              WindowKey{CommandKind::MovableWords, 1}, WindowKey{CommandKind::MovableWords, 2},
              WindowKey{CommandKind::MarkedWords}}) {
            add(key, [this, key](QWidget*) { return std::make_unique<Window>(this, key); });
        }
    }
};

CommandKind anyKind(FuzzedDataProvider& input) {
    const auto kinds = commandKinds();
    const std::size_t pick = input.ConsumeIntegralInRange<std::size_t>(0, kinds.size());
    return pick == kinds.size() ? CommandKind::None : kinds[pick];
}

// A line as a content author might write it: well formed, or the next of the input's lines.
QByteArray anyLine(FuzzedDataProvider& input, const QByteArrayList& written, qsizetype& next) {
    if (written.isEmpty() || input.ConsumeBool()) {
        return formatCommandLine(input.ConsumeIntegralInRange(0, 99999), anyKind(input));
    }
    return written[next++ % written.size()];
}

void checkCommandLine(const QByteArray& line) {
    const CommandLine command = parseCommandLine(line);
    check(command.recordNumber == readLeadingInteger(line.left(kRecordColumns)));
    check(command.kindName == (line.size() >= kKindColumn ? line.mid(kKindColumn - 1) : ""));
    check(command.kind == CommandKind::None || command.kindName == kindName(command.kind));
    const std::int32_t record = recordNumberFor(command.kind, command.recordNumber);
    check(!takesRecord16(command.kind) || (record >= 0 && record <= 0xFFFF));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The input begins with command lines, one a line; the choices come from its end.
    QByteArrayList written =
        QByteArray::fromStdString(input.ConsumeRandomLengthString(8192)).split('\n');
    for (QByteArray& line : written) {
        line.replace('\r', ' ');
    }
    qsizetype next = 0;

    // A well-formed line reads back as written.
    const int record = input.ConsumeIntegralInRange(0, 99999);
    const CommandKind kind = anyKind(input);
    const CommandLine formatted = parseCommandLine(formatCommandLine(record, kind));
    check(formatted.recordNumber == record && formatted.kind == kind);

    TableData menu = menuSchema().emptyTable();
    std::map<int, QByteArrayList> rowLines;
    int id = input.ConsumeIntegralInRange(-3, 3);
    const int rowCount = input.ConsumeIntegralInRange(0, 6);
    for (int r = 0; r < rowCount; ++r, id += 1 + input.ConsumeIntegralInRange(0, 3)) {
        QByteArrayList lines;
        const int lineCount = input.ConsumeIntegralInRange(0, 6);
        for (int l = 0; l < lineCount; ++l) {
            lines.append(anyLine(input, written, next));
            checkCommandLine(lines.back());
        }
        QByteArray commands = lines.join("\r\n");
        if (input.ConsumeBool()) {
            commands += "\r\n";
        }
        menu.rows.push_back(
            MenuRow{id, "", input.ConsumeBool(), input.ConsumeBool(), commands}.values());
        rowLines[id] = lines;
    }
    TableData movable = movableWordsSchema().emptyTable();
    std::map<int, int> types;
    const int movableCount = input.ConsumeIntegralInRange(0, 6);
    for (int r = 0, mid = input.ConsumeIntegralInRange(0, 3); r < movableCount;
         ++r, mid += 1 + input.ConsumeIntegralInRange(0, 3)) {
        std::vector<Value> values(movable.fields.size());
        values.front() = double(mid);
        types[mid] = input.ConsumeIntegralInRange(0, 3);
        values.back() = double(types[mid]);  // Tipas
        movable.rows.push_back(std::move(values));
    }
    std::vector<MenuLink> links;
    const int linkCount = input.ConsumeIntegralInRange(0, 8);
    for (int l = 0; l < linkCount; ++l) {
        links.push_back(
            {input.ConsumeIntegralInRange(-3, 24), input.ConsumeIntegralInRange(0, 9), {}});
    }
    FakeWindows windows;
    windows.points = input.ConsumeIntegralInRange(-3, 5);
    windows.possible = input.ConsumeIntegralInRange(0, 5);
    windows.throwAt = input.ConsumeIntegralInRange(-1, 99999);

    ContentTable menuTable;
    menuTable.loadFromBytes(writeDataPacket(menu), QStringLiteral("Meniu.cds"));
    ContentTable movableTable;
    movableTable.loadFromBytes(writeDataPacket(movable), QStringLiteral("Nesioj.cds"));

    for (int command = 0; command <= 10; ++command) {
        // What must open: the first link's row, line by line.
        std::vector<Opened> expected;
        bool fails = false;
        content::Points totals;
        const std::optional<std::int32_t> menuId = menuIdForCommand(links, command);
        if (menuId && rowLines.count(*menuId)) {
            for (const QByteArray& line : rowLines[*menuId]) {
                const CommandLine parsed = parseCommandLine(line);
                const std::int32_t cut = recordNumberFor(parsed.kind, parsed.recordNumber);
                int variant = 0;
                if (parsed.kind == CommandKind::None) {
                    continue;
                }
                if (parsed.kind == CommandKind::MovableWords) {
                    const auto type = types.find(cut);
                    if (type == types.end() || type->second < 1 || type->second > 2) {
                        continue;
                    }
                    variant = type->second;
                }
                expected.push_back({parsed.kind, variant, cut});
                if (cut == windows.throwAt) {
                    fails = true;
                    break;
                }
                if (parsed.kind != CommandKind::Theory) {
                    totals.score += windows.points;
                    totals.maxScore += windows.possible;
                }
            }
        }
        windows.opened.clear();
        std::vector<int> grades;
        const DispatchContext context{&links,
                                      &menuTable,
                                      &movableTable,
                                      &windows,
                                      nullptr,
                                      [&](const EntryOutcome& outcome) { grades.push_back(outcome.grade); },
                                      {}};
        check(dispatchCommand(context, command) == !fails);
        check(windows.opened == expected);
        const std::optional<int> grade =
            fails ? std::nullopt : content::gradeFor(totals.score, totals.maxScore);
        check(grades == (grade ? std::vector<int>{*grade} : std::vector<int>{}));
        check(!grade || (*grade >= content::kLowestGrade && *grade <= content::kHighestGrade));
    }
    return 0;
}

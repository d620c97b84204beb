// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixtures.h"
#include "app/CommandDispatch.h"
#include "content/ContentTable.h"
#include "content/Grades.h"
#include "platform/Error.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::testing;

namespace {

// Records every window opened ("kind:record") and gives each exercise fixed points.
struct FakeWindows : WindowFactory {
    std::vector<std::string> opened;
    int points = 1;
    int possible = 2;
    int throwAtRecord = -1;
    int closedTableAtRecord = -1;
    QString markedWordsFailure;  // what a marked-words window gives as its open failure

    struct Window : WindowEntry {
        FakeWindows* owner;
        std::string kind;
        Window(FakeWindows* o, std::string k) : owner(o), kind(std::move(k)) {}
        QString openFailure() const override {
            return kind == "marked" ? owner->markedWordsFailure : QString();
        }
        bool Execute(std::int32_t record, content::Points& totals) override {
            owner->opened.push_back(kind + ":" + std::to_string(record));
            if (record == owner->throwAtRecord) {
                throw Error(QStringLiteral("Cannot open file Memo.tmp"));
            }
            if (record == owner->closedTableAtRecord) {
                throw content::ClosedTableError();
            }
            if (kind != "theory") {
                totals.score += owner->points;
                totals.maxScore += owner->possible;
            }
            return false;  // the result is not used
        }
        std::optional<content::ExerciseResult> result() const override {
            if (kind == "theory") {
                return std::nullopt;
            }
            content::ExerciseResult done;
            done.kind = kind == "simple" ? content::ExerciseKind::SimpleTest
                                         : content::ExerciseKind::MarkedWords;
            done.record = std::stoi(owner->opened.back().substr(kind.size() + 1));
            return done;
        }
    };

    void addFake(WindowKey key, std::string kind) {
        add(key, [this, kind](QWidget*) { return std::make_unique<Window>(this, kind); });
    }

    FakeWindows() {
        using content::CommandKind;
        addFake({CommandKind::Theory}, "theory");
        addFake({CommandKind::SimpleTest}, "simple");
        addFake({CommandKind::MovableWords, 1}, "movable1");
        addFake({CommandKind::MovableWords, 2}, "movable2");
        addFake({CommandKind::MarkedWords}, "marked");
    }
};

// A menu table, a movable-words table and links 1..n to menu rows, dispatched by command.
struct DispatchFixture : ::testing::Test {
    ScopedFakeServices fakes;
    content::ContentTable menuTable;
    content::ContentTable movableTable;
    std::vector<MenuLink> links;
    FakeWindows windows;
    std::vector<int> grades;

    std::vector<std::string> events;  // "record" and "reward", in order
    EntryOutcome recorded;

    void setUp(const std::vector<MenuRow>& rows) {
        menuTable.loadFromBytes(menuTablePacket(rows), QStringLiteral("Meniu.cds"));
        movableTable.loadFromBytes(movableTablePacket({{5, 1}, {6, 2}, {7, 3}}),
                                   QStringLiteral("Nesioj.cds"));
        for (const MenuRow& row : rows) {
            links.push_back({row.id, 100 + row.id, {}});
        }
    }

    bool choose(int command) {
        DispatchContext context{&links,
                                &menuTable,
                                &movableTable,
                                &windows,
                                nullptr,
                                [this](const EntryOutcome& outcome) { grades.push_back(outcome.grade); },
                                {}};
        return dispatchCommand(context, command);
    }
};

QByteArray lines(std::initializer_list<QByteArray> list) {
    QByteArray text;
    for (const QByteArray& line : list) {
        text += line + "\r\n";
    }
    return text;
}

}  // namespace

TEST(CommandLine, MenuIdOfTheFirstMatchingLink) {
    const std::vector<MenuLink> links{{4, 10, {}}, {7, 11, {}}, {9, 11, {}}};
    EXPECT_EQ(menuIdForCommand(links, 11), 7);
    EXPECT_EQ(menuIdForCommand(links, 12), std::nullopt);
}

TEST_F(DispatchFixture, TwoTestsGiveOneGradeAfterTheLast) {
    setUp({{1, lines({commandLine(11, "Teorijos langas"), commandLine(1, "Paprastas pratimas"),
                      commandLine(2, "Paprastas pratimas")})}});
    windows.points = 7;
    windows.possible = 10;
    EXPECT_TRUE(choose(101));
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"theory:11", "simple:1", "simple:2"}));
    EXPECT_EQ(grades, (std::vector<int>{7}));  // 14 of 20
}

TEST_F(DispatchFixture, TheoryOnlyEmptyAndUnmatchedRowsGiveNoGrade) {
    setUp({{1, lines({commandLine(3, "Teorijos langas")})},
           {2, {}},
           {3, lines({commandLine(1, "Paprastas pratimas "), commandLine(1, "PAPRASTAS PRATIMAS"),
                      "00001", ""})}});
    EXPECT_TRUE(choose(101));
    EXPECT_TRUE(choose(102));
    EXPECT_TRUE(choose(103));
    EXPECT_TRUE(choose(555));  // no link: e.g. an item of the fixed menu
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"theory:3"}));
    EXPECT_TRUE(grades.empty());
    EXPECT_TRUE(fakes.messages.errors.isEmpty());
}

TEST_F(DispatchFixture, MovableWordsTypeChoosesTheWindow) {
    setUp({{1, lines({commandLine(5, "Kilnojamų žodžių pratimas"),
                      commandLine(6, "Kilnojamų žodžių pratimas"),
                      commandLine(7, "Kilnojamų žodžių pratimas"),       // Tipas 3
                      commandLine(8, "Kilnojamų žodžių pratimas")})}});  // no row
    EXPECT_TRUE(choose(101));
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"movable1:5", "movable2:6"}));
    EXPECT_EQ(grades, (std::vector<int>{5}));  // 2 of 4
}

TEST_F(DispatchFixture, RecordNumbersKeepTheirWidthPerKind) {
    setUp({{1, lines({"70000          Paprastas pratimas",
                      "70000          Pratimas su pabraukiamais/i\xF0"
                      "braukiamais \xFEod\xFEiais"})}});
    choose(101);
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"simple:4464", "marked:70000"}));
}

TEST_F(DispatchFixture, AnErrorInAWindowEndsTheCommandWithoutGrade) {
    setUp({{1, lines({commandLine(1, "Paprastas pratimas"), commandLine(2, "Paprastas pratimas"),
                      commandLine(3, "Paprastas pratimas")})}});
    windows.throwAtRecord = 2;
    EXPECT_FALSE(choose(101));
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"simple:1", "simple:2"}));
    EXPECT_TRUE(grades.empty());
    EXPECT_EQ(fakes.messages.errors, QStringList{QStringLiteral("Cannot open file Memo.tmp.")});
}

TEST_F(DispatchFixture, ExercisesThatCannotOpenAreSkippedAndTheOthersStillGrade) {
    setUp({{1, lines({commandLine(1, "Paprastas pratimas"), commandLine(3, "Teorijos langas"),
                      commandLine(4, "Pratimas su pabraukiamais/išbraukiamais žodžiais"),
                      commandLine(5, "Pratimas su pabraukiamais/išbraukiamais žodžiais"),
                      commandLine(2, "Paprastas pratimas")})}});
    windows.markedWordsFailure = QStringLiteral(
        "Invalid data packet file Data/TestPabr.cds: row 3 "
        "ends early");
    windows.closedTableAtRecord = 3;  // its table failed to load, and was reported then
    windows.points = 3;
    windows.possible = 4;
    EXPECT_TRUE(choose(101));
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"simple:1", "theory:3", "simple:2"}));
    EXPECT_EQ(grades, std::vector<int>{8});  // 6 of 8
    EXPECT_EQ(fakes.messages.errors, QStringList{windows.markedWordsFailure + u'.'});
}

TEST_F(DispatchFixture, TheOutcomeWithEveryExerciseIsRecordedBeforeTheReward) {
    setUp({{1, lines({commandLine(1, "Paprastas pratimas"), commandLine(3, "Teorijos langas"),
                      commandLine(4, "Pratimas su pabraukiamais/išbraukiamais žodžiais"),
                      commandLine(2, "Paprastas pratimas")})}});
    links[0].path = QStringLiteral("Rašyba > Nosinės");
    windows.markedWordsFailure = QStringLiteral("Cannot open file Data/TestPabr.cds");
    DispatchContext context{&links,
                            &menuTable,
                            &movableTable,
                            &windows,
                            nullptr,
                            [this](const EntryOutcome& outcome) {
                                events.push_back("reward");
                                EXPECT_EQ(outcome.exercises.size(), 3u);
                            },
                            [this](const EntryOutcome& outcome) {
                                events.push_back("record");
                                recorded = outcome;
                            }};
    EXPECT_TRUE(dispatchCommand(context, 101));
    EXPECT_EQ(events, (std::vector<std::string>{"record", "reward"}));
    EXPECT_EQ(recorded.menuId, 1);
    EXPECT_EQ(recorded.menuPath, QStringLiteral("Rašyba > Nosinės"));
    EXPECT_EQ(recorded.points.score, 2);
    EXPECT_EQ(recorded.points.maxScore, 4);
    EXPECT_LE(recorded.started, recorded.ended);
    // The theory book is not among them; the exercise that could not open is, marked skipped.
    ASSERT_EQ(recorded.exercises.size(), 3u);
    EXPECT_EQ(recorded.exercises[0].record, 1);
    EXPECT_FALSE(recorded.exercises[0].skipped);
    EXPECT_EQ(recorded.exercises[1].kind, content::ExerciseKind::MarkedWords);
    EXPECT_EQ(recorded.exercises[1].record, 4);
    EXPECT_TRUE(recorded.exercises[1].skipped);
    EXPECT_EQ(recorded.exercises[1].failure, windows.markedWordsFailure);
    EXPECT_EQ(recorded.exercises[2].record, 2);

    // An entry that ends in an error is neither recorded nor rewarded.
    events.clear();
    windows.throwAtRecord = 2;
    EXPECT_FALSE(dispatchCommand(context, 101));
    EXPECT_TRUE(events.empty());
}

TEST_F(DispatchFixture, AnUnreadableMovableWordsTableSkipsOnlyItsLines) {
    setUp({{1, lines({commandLine(5, "Kilnojamų žodžių pratimas"),
                      commandLine(1, "Paprastas pratimas")})}});
    movableTable.close();
    EXPECT_TRUE(choose(101));
    EXPECT_EQ(windows.opened, std::vector<std::string>{"simple:1"});
    EXPECT_EQ(grades, std::vector<int>{5});
    EXPECT_TRUE(fakes.messages.errors.isEmpty());  // told once, when it failed to load
}

namespace {

// A window class as the factory's creators take it, which knows it cannot open.
struct UnreadableForm {
    explicit UnreadableForm(QWidget*) {}
    bool Execute(std::int32_t, std::int32_t&, std::int32_t&) { return true; }
    QString openFailure() const { return QStringLiteral("Cannot open file Data/TestPabr.cds"); }
};

}  // namespace

TEST(WindowEntry, CreatorsPassOnTheWindowsOpenFailure) {
    EXPECT_EQ(exerciseWindow<UnreadableForm>()(nullptr)->openFailure(),
              QStringLiteral("Cannot open file Data/TestPabr.cds"));
}

TEST_F(DispatchFixture, ALinkToAMissingRowRunsNothing) {
    setUp({{1, lines({commandLine(1, "Paprastas pratimas")})}});
    links.push_back({42, 142, {}});
    EXPECT_TRUE(choose(142));
    EXPECT_TRUE(windows.opened.empty());
    EXPECT_TRUE(grades.empty());
}

TEST_F(DispatchFixture, KindsWithoutAWindowOpenNothing) {
    // Creators that give no window, and kinds with no creator at all.
    WindowFactory none;
    none.add({content::CommandKind::Theory}, [](QWidget*) { return nullptr; });
    none.add({content::CommandKind::SimpleTest}, {});
    setUp(
        {{1, lines({commandLine(1, "Teorijos langas"), commandLine(5, "Kilnojamų žodžių pratimas"),
                    commandLine(1, "Paprastas pratimas")})}});
    DispatchContext context{&links,
                            &menuTable,
                            &movableTable,
                            &none,
                            nullptr,
                            [this](const EntryOutcome& outcome) { grades.push_back(outcome.grade); },
                            {}};
    EXPECT_TRUE(dispatchCommand(context, 101));
    EXPECT_TRUE(grades.empty());
}

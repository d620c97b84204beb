// SPDX-License-Identifier: GPL-3.0-or-later
// Needs lentora_app linked into its test program (simple_test_tests links only the test window).

#include "exercises/simple_test/SimpleTestProgram.h"

#include "app/CommandDispatch.h"
#include "app/LentoraWindowFactory.h"
#include "content/ContentTable.h"
#include "content/Schema.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace lentora {
namespace {

using namespace simple_test_support;

// A menu row with two test lines opens both tests in turn and gives one grade for both.
TEST(DispatchSimpleTests, TwoTestsOfOneMenuRowGiveOneGrade) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, 500, 300, "Testas");
    program.addQuestion(1, 1, QRect(10, 10, 300, 70), "Pirmas", kRadio);
    program.addAnswer(1, 1, 1, "taip", true, {12, 25});
    program.addAnswer(1, 1, 2, "ne", false, {12, 45});
    program.addTest(2, 500, 300, "Antras");
    program.addQuestion(2, 1, QRect(10, 10, 300, 70), "Antras klausimas", kCheck);
    program.addAnswer(2, 1, 1, "a", true, {12, 25});
    program.addAnswer(2, 1, 2, "b", true, {12, 45});
    program.write();

    TableData menu = content::menuSchema().emptyTable();
    menu.rows.push_back({5.0, cp(""), true, true,
                         cp("00001          Paprastas pratimas\r\n"
                            "00002          Paprastas pratimas")});
    content::ContentTable menuTable;
    menuTable.loadFromBytes(content::writeDataPacket(menu), "Meniu.cds");
    content::ContentTable movableWords;

    QWidget mainWindow;
    mainWindow.show();
    QStringList captions;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* form = qobject_cast<TPaprTestForma*>(QApplication::activeModalWidget());
        if (form == nullptr || !form->isVisible() || captions.contains(form->windowTitle())) {
            return;
        }
        captions.append(form->windowTitle());
        EXPECT_EQ(form->parentWidget(), &mainWindow);
        if (captions.size() == 1) {
            form->findChildren<QRadioButton*>().at(0)->click();  // right: 1 of 1
        } else {
            form->findChildren<QCheckBox*>().at(0)->click();  // 1 of 2
        }
        pressArrow(form->button());
    });
    driver.start(5);

    LentoraWindowFactory factory;
    const std::vector<MenuLink> links = {{5, 300, {}}};
    std::vector<int> grades;
    DispatchContext context;
    context.links = &links;
    context.menuTable = &menuTable;
    context.movableWordsTable = &movableWords;
    context.factory = &factory;
    context.parent = &mainWindow;
    context.reward = [&](const EntryOutcome& outcome) { grades.push_back(outcome.grade); };
    EXPECT_TRUE(dispatchCommand(context, 300));

    EXPECT_EQ(captions, (QStringList{"Pratimas", "Antras"}));
    // 2 of 3 points: 67 %, grade 7.
    EXPECT_EQ(grades, std::vector<int>{7});
    EXPECT_TRUE(services.messages.errors.isEmpty());
}

}  // namespace
}  // namespace lentora

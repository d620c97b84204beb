// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Error.h"
#include "platform/QtServices.h"
#include "platform/Services.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace lentora;
using lentora::testing::ScopedFakeServices;
using lentora::testing::TempProgramDir;

namespace {

QTextBrowser* helpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* browser = qobject_cast<QTextBrowser*>(widget)) {
            return browser;
        }
    }
    return nullptr;
}

}  // namespace

TEST(Services, GuardedReportsErrorsWithAFullStopAndFakesAreRestored) {
    MessageService* before = services().messages;
    {
        ScopedFakeServices fakes;
        EXPECT_FALSE(guarded([] { throw Error("Cannot open file Data/Meniu.cds"); }));
        EXPECT_FALSE(guarded([] { throw Error("Jau su tašku."); }));
        bool ran = false;
        EXPECT_TRUE(guarded([&] { ran = true; }));
        EXPECT_TRUE(ran);
        EXPECT_EQ(fakes.messages.errors,
                  QStringList({"Cannot open file Data/Meniu.cds.", "Jau su tašku."}));

        fakes.printer.failWith = "Nerastas spausdintuvas";
        EXPECT_FALSE(guarded([] { services().printer->printLines({"a"}); }));
        EXPECT_EQ(fakes.messages.errors.last(), "Nerastas spausdintuvas.");
    }
    EXPECT_EQ(services().messages, before);
}

// The real help window: one reusable top-level window that shows topics by anchor.
TEST(Services, HelpWindowShowsTopicsAndReportsAMissingFile) {
    TempProgramDir dir;
    const Services saved = services();
    installQtServices();
    lentora::testing::FakeMessageService messages;
    services().messages = &messages;

    services().help->setHelpFile(dir.path() + "Pagalba/pagalba.hlp");
    services().help->showContents();
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(messages.errors[0], "Cannot open file " + dir.path() + "Pagalba/pagalba.hlp.");

    QString html = "<html><body><h1>Turinys</h1>";
    for (int topic : {2, 4, 5, 6, 7}) {
        html += QString("<a name=\"%1\"></a><h2>Tema %1</h2>").arg(topic);
        for (int i = 0; i < 60; ++i) {
            html += "<p>Tekstas ąčęėįšųūž.</p>";
        }
    }
    html += "</body></html>";
    dir.writeFile("PAGALBA/Pagalba.HLP", html.toUtf8());

    services().help->showTopic(7);
    QTextBrowser* browser = helpWindow();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->parentWidget(), nullptr);
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(browser->toPlainText().contains("Tekstas ąčęėįšųūž."));
    QTest::qWait(20);
    const int topic7 = browser->verticalScrollBar()->value();
    EXPECT_GT(topic7, 0);

    services().help->showTopic(4);
    QTest::qWait(20);
    EXPECT_EQ(helpWindow(), browser);
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    EXPECT_LT(browser->verticalScrollBar()->value(), topic7);

    services().help->showContents();
    QTest::qWait(20);
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    EXPECT_EQ(messages.errors.size(), 1);

    // Opened centred on the screen; Escape closes it.
    const QRect screen = browser->screen()->availableGeometry();
    EXPECT_LE(std::abs(browser->geometry().center().x() - screen.center().x()), 10);
    QTest::keyClick(browser, Qt::Key_Escape);
    EXPECT_FALSE(browser->isVisible());
    services() = saved;
}

TEST(Services, PrintingWithoutAPrinterFailsWithALithuanianText) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "a printer is installed";
    }
    const Services saved = services();
    installQtServices();
    try {
        services().printer->printLines({"Tekstas"});
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.text().startsWith("Nerastas joks spausdintuvas"));
    }
    services() = saved;
}

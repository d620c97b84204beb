// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MenuBuilder.h"
#include "content/MenuOutline.h"
#include "platform/Error.h"
#include "support/FakeServices.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::content;
using lentora::testing::ScopedFakeServices;

namespace {

std::vector<MenuNode> tree(const char* text) {
    return buildOutlineTree(parseOutlineLines(QByteArray(text)));
}

}  // namespace

TEST(MenuBuilder, BuildsMenusActionsSeparatorsAndLinks) {
    ScopedFakeServices fakes;
    auto bar = tree(
        "&Ra\xF0yba\r\n\tBalsiai\r\n\t\tNosin\xEBs [00001]\r\n\t-\r\n"
        "\tPaslepta [00002]\r\n\tPilka [00003]\r\n\tNera [00009]\r\n"
        "Tiesiog [00004]\r\nSugedusi [00005]\r\n\tVaikas [00006]\r\n");
    std::vector<std::int32_t> lookedUp;
    const MenuRowLookup lookup = [&](std::int32_t id) -> std::optional<MenuRowInfo> {
        lookedUp.push_back(id);
        if (id == 9) {
            return std::nullopt;
        }
        if (id == 6) {
            throw Error(QStringLiteral("Field 'Matomas' not found"));
        }
        return MenuRowInfo{id != 2, id != 3, id == 1 ? QByteArray("Patarimas") : QByteArray()};
    };
    QMenuBar menuBar;
    int nextCommand = 1;
    const auto links = assignCommands(bar, nextCommand);
    addOutlineToMenuBar(&menuBar, bar, lookup);
    EXPECT_EQ(lookedUp, (std::vector<std::int32_t>{4, 5}));  // the menu bar's own items only

    const QList<QAction*> top = menuBar.actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), QString::fromUtf8("&Rašyba"));
    QMenu* spelling = top[0]->menu();
    ASSERT_NE(spelling, nullptr);
    EXPECT_TRUE(spelling->actions().isEmpty());  // made when the menu opens
    populateMenu(spelling);
    populateMenu(spelling);  // only once
    const QList<QAction*> items = spelling->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_FALSE(items[2]->isVisible());  // Matomas false
    EXPECT_FALSE(items[3]->isEnabled());  // Pasiekiamas false
    EXPECT_FALSE(items[4]->isEnabled());  // no row
    EXPECT_TRUE(items[4]->isVisible());
    populateMenu(items[0]->menu());
    QAction* vowel = items[0]->menu()->actions().at(0);
    EXPECT_EQ(vowel->text(), QString::fromUtf8("Nosinės "));
    EXPECT_EQ(vowel->statusTip(), QStringLiteral("Patarimas"));
    EXPECT_EQ(top[1]->menu(), nullptr);  // a linked item right on the menu bar

    // A row that cannot be read greys its item and is reported once.
    populateMenu(top[2]->menu());
    EXPECT_FALSE(top[2]->menu()->actions().at(0)->isEnabled());
    EXPECT_EQ(fakes.messages.errors.size(), 1);

    // Every item has its own command number; links keep the outline order.
    ASSERT_EQ(links.size(), 7u);
    EXPECT_EQ(links[0].menuId, 1);
    EXPECT_EQ(links[4].menuId, 4);
    EXPECT_EQ(commandOf(vowel), links[0].command);
    EXPECT_EQ(commandOf(top[1]), links[4].command);
    EXPECT_EQ(nextCommand, 11);
    EXPECT_EQ(commandOf(nullptr), 0);
}

#include "app/MenuBuilder.h"
#include "app/MenuOutline.h"
#include "platform/Error.h"
#include "support/FakeServices.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace lentora;
using lentora::testing::ScopedFakeServices;

namespace {

std::vector<MenuNode> tree(const char* text) {
    return buildOutlineTree(parseOutlineLines(QByteArray(text)));
}

}  // namespace

TEST(MenuOutline, LinkNumberAndCaptionOfALine) {
    struct Case {
        const char* line;
        int link;
        const char* caption;
    };
    const Case cases[] = {
        {"Linksniai [00016]", 16, "Linksniai "},  // the blank before the bracket stays
        {"Be nuorodos", 0, "Be nuorodos"},        // no brackets
        {"Pusiau [00016", 0, "Pusiau "},          // "[" without a final "]"
        {"Nulis [00000]", 0, "Nulis "},           // [00000] links nothing
        {"A[1]", 0, "A"},                         // shorter than seven: "[1" is read, no digit
        {"]", 0, "]"},                            // a lone bracket reads no digit
        {"Tekstas]", 0, "Tekstas]"},              // ends with "]" but holds no number
        {"X [ 0042]", 42, "X "},                  // leading blank skipped
        {"Y [-0007]", -7, "Y "},                  // a sign is accepted
        {"Z [12a45]", 12, "Z "},                  // reading stops at the first non-digit
        {"Du [00001] ir [00002]", 2, "Du "},      // the last seven characters count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(linkNumberOf(c.line), c.link);
        EXPECT_EQ(captionOf(c.line), QByteArray(c.caption));
    }
}

TEST(MenuOutline, ReadingLeadingIntegersSaturates) {
    EXPECT_EQ(readLeadingInteger("99999999999999999999"), 2147483647);
    EXPECT_EQ(readLeadingInteger("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(readLeadingInteger(""), 0);
    EXPECT_EQ(readLeadingInteger("   +"), 0);
}

TEST(MenuOutline, LinesEndAtLineBreaksAndCharacter26AndSkipBlankOnes) {
    const auto lines =
        parseOutlineLines(QByteArray("&A\r\n\r\n\t\t\r\n\tB [00002]\nC\rD\x1a\tE\r\n"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].caption, "&A");
    EXPECT_EQ(lines[1].depth, 1);
    EXPECT_EQ(lines[1].link, 2);
    EXPECT_EQ(lines[2].caption, "C");
    EXPECT_EQ(lines[3].caption, "D");  // nothing after character 26
}

TEST(MenuOutline, PlacesItemsByDepthInFileOrder) {
    const auto bar = tree(
        "R\r\n\tBalsiai\r\n\t\tNosines [00001]\r\n\t\tIlgosios [00002]\r\n"
        "\tPriebalsiai\r\n\t\tSupanasejimas [00003]\r\n\t-\r\nG\r\n\tX\r\n");
    ASSERT_EQ(bar.size(), 2u);
    ASSERT_EQ(bar[0].children.size(), 3u);
    EXPECT_EQ(bar[0].children[0].children.size(), 2u);
    EXPECT_EQ(bar[0].children[0].children[1].link, 2);
    EXPECT_EQ(bar[0].children[1].caption, "Priebalsiai");
    EXPECT_EQ(bar[0].children[1].children[0].link, 3);
    EXPECT_EQ(bar[0].children[2].caption, "-");
    EXPECT_EQ(bar[1].children[0].caption, "X");
}

TEST(MenuOutline, TooDeepLinesGoUnderTheDeepestItemThatExists) {
    // The first line is deeper than the menu bar; the third skips two levels.
    const auto bar = tree("\t\tFirst\r\nSecond\r\n\t\t\tDeep\r\n\tNext\r\n");
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].caption, "First");
    ASSERT_EQ(bar[1].children.size(), 2u);
    EXPECT_EQ(bar[1].children[0].caption, "Deep");
    EXPECT_EQ(bar[1].children[1].caption, "Next");
}

TEST(MenuOutline, NestingIsBoundedForBrokenFiles) {
    QByteArray text;
    for (int depth = 0; depth < 5000; ++depth) {
        text += QByteArray(depth, '\t') + "x\r\n";
    }
    const auto bar = tree(text.constData());
    int depth = 0;
    for (const MenuNode* node = &bar.front(); !node->children.empty();
         node = &node->children.back()) {
        ++depth;
    }
    EXPECT_EQ(depth, kMaxMenuDepth);
}

TEST(MenuOutline, RowStateOfAnItem) {
    const MenuRowLookup lookup = [](std::int32_t id) -> std::optional<MenuRowInfo> {
        if (id == 1) {
            return MenuRowInfo{false, true, "hint"};
        }
        return std::nullopt;
    };
    EXPECT_EQ(menuRowInfo(1, lookup).hint, "hint");
    EXPECT_FALSE(menuRowInfo(1, lookup).visible);
    const MenuRowInfo missing = menuRowInfo(9, lookup);  // a link to no row shows greyed
    EXPECT_TRUE(missing.visible);
    EXPECT_FALSE(missing.enabled);
    const MenuRowInfo unlinked = menuRowInfo(0, lookup);
    EXPECT_TRUE(unlinked.visible && unlinked.enabled);
}

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

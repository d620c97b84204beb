#include "app/MenuBuilder.h"
#include "app/MenuOutline.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace lentora;

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

TEST(MenuOutline, RowsSetVisibilityEnablingHintAndTheLinkOrder) {
    auto bar = tree(
        "M\r\n\tShown [00001]\r\n\tHidden [00002]\r\n\t\tChild\r\n\tGrey [00003]\r\n"
        "\tMissing [00009]\r\n\tPlain\r\n");
    const auto links = applyMenuRows(bar, [](std::int32_t id) -> std::optional<MenuRowInfo> {
        switch (id) {
            case 1:
                return MenuRowInfo{true, true, "hint one"};
            case 2:
                return MenuRowInfo{false, true, {}};
            case 3:
                return MenuRowInfo{true, false, {}};
            default:
                return std::nullopt;
        }
    });
    EXPECT_EQ(links, (std::vector<std::int32_t>{1, 2, 3}));
    const auto& items = bar[0].children;
    EXPECT_EQ(items[0].hint, "hint one");
    EXPECT_FALSE(items[1].visible);
    EXPECT_FALSE(items[2].enabled);
    EXPECT_TRUE(items[3].visible);
    EXPECT_FALSE(items[3].enabled);  // a link to no row shows greyed
    EXPECT_FALSE(items[3].hasRow);
    EXPECT_TRUE(items[4].visible && items[4].enabled);
}

TEST(MenuBuilder, BuildsMenusActionsSeparatorsAndLinks) {
    auto bar = tree(
        "&Ra\xF0yba\r\n\tBalsiai\r\n\t\tNosin\xEBs [00001]\r\n\t-\r\n\tPaslepta [00002]\r\n"
        "Tiesiog [00003]\r\n");
    applyMenuRows(bar, [](std::int32_t id) -> std::optional<MenuRowInfo> {
        return MenuRowInfo{id != 2, true, id == 1 ? QByteArray("Patarimas") : QByteArray()};
    });
    QMenuBar menuBar;
    int nextCommand = 1;
    const auto links = addOutlineToMenuBar(&menuBar, bar, nextCommand);

    const QList<QAction*> top = menuBar.actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), QString::fromUtf8("&Rašyba"));
    QMenu* spelling = top[0]->menu();
    ASSERT_NE(spelling, nullptr);
    const QList<QAction*> items = spelling->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_FALSE(items[2]->isVisible());
    QAction* vowel = items[0]->menu()->actions().at(0);
    EXPECT_EQ(vowel->text(), QString::fromUtf8("Nosinės "));
    EXPECT_EQ(vowel->statusTip(), QStringLiteral("Patarimas"));
    EXPECT_EQ(top[1]->menu(), nullptr);  // a linked item right on the menu bar

    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0].menuId, 1);
    EXPECT_EQ(commandOf(vowel), links[0].command);
    EXPECT_EQ(commandOf(top[1]), links[2].command);
    // Every item has its own command number.
    EXPECT_EQ(nextCommand, 7);
    EXPECT_EQ(commandOf(nullptr), 0);
}

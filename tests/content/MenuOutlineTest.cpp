// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/MenuOutline.h"

#include <gtest/gtest.h>

using namespace lentora::content;

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

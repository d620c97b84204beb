// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/TheoryText.h"

#include "platform/CodePage1257.h"

#include <gtest/gtest.h>

namespace lentora::theory {
namespace {

struct TokenizerCase {
    const char* name;
    const char* text;
    QByteArrayList tokens;

    friend void PrintTo(const TokenizerCase& c, std::ostream* out) { *out << c.name; }
};

class TheoryTokenizer : public ::testing::TestWithParam<TokenizerCase> {};

TEST_P(TheoryTokenizer, GivesTheBooksTokens) {
    EXPECT_EQ(tokenize(QByteArrayView(GetParam().text)), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, TheoryTokenizer,
    ::testing::Values(
        TokenizerCase{"BoldEndsAfterTheWordThatHoldsTheHash",
                      "T\rSakydami @labas rytas#, mes\r",
                      {"$ T", "~", "     Sakydami", "# labas", "# rytas,", " mes", "~"}},
        TokenizerCase{"BoldRunsOverSeveralWords",
                      "T\rnetinka sakyti @geras rytas, gera diena# ar pan.\r",
                      {"$ T", "~", "     netinka", " sakyti", "# geras", "# rytas,", "# gera",
                       "# diena", " ar", " pan.", "~"}},
        TokenizerCase{"TitleWordsCarryTheTitleMarkerBeforeTheBoldMarker",
                      "@Sveikinimosi \xfeod\xfeiai#\r\r",
                      {"$# Sveikinimosi", "$# \xfeod\xfeiai", "~", "     ", "~"}},
        // Eight leading spaces: the indent token, seven one-space tokens, then the word.
        TokenizerCase{"ARunOfSpacesGivesOneSpaceTokens",
                      "T\r        w\r",
                      {"$ T", "~", "     ", " ", " ", " ", " ", " ", " ", " ", " w", "~"}},
        TokenizerCase{"TwoSpacesInTheTitle", "a  b", {"$ a", "$ "}},
        TokenizerCase{
            "BoldLeftOnCarriesIntoTheNextParagraphAndItsIndent",
            "T\r@a b\rc\r\rd#\r",
            {"$ T", "~", "#     a", "# b", "~", "#     c", "~", "#     ", "~", "#     d", "~"}},
        TokenizerCase{"LineFeedsAreIgnoredAndTabsBelongToWords",
                      "T\r\nx\ty\r\n",
                      {"$ T", "~", "     x\ty", "~"}},
        TokenizerCase{
            "ADollarInsideAWordIsText", "T\rkaina $5\r", {"$ T", "~", "     kaina", " $5", "~"}}),
    [](const ::testing::TestParamInfo<TokenizerCase>& info) {
        return std::string(info.param.name);
    });

TEST(TheoryTokens, EmptyTextGivesOneTitleBlankAndTheParagraphEnd) {
    EXPECT_EQ(bookTokens(""), (QByteArrayList{"$ ", "~"}));
}

TEST(TheoryTokens, OnlyTheFirst6000BytesAreShownAndTheCutMayFallInsideAWord) {
    QByteArray memo = "T\r" + QByteArray(5993, 'a');
    memo += " abcdefgh";  // the 6000th byte is the "d"
    const QByteArrayList result = bookTokens(memo);
    ASSERT_EQ(result.size(), 5);
    EXPECT_EQ(result[3], " abcd");
    EXPECT_EQ(result[4], "~");
}

TEST(TheoryTokens, DecodingTakesOffOnlyTheMarkers) {
    struct Case {
        const char* token;
        const char* text;
        bool bold;
        bool title;
    };
    const Case cases[] = {
        {"$# Sveikinimosi", " Sveikinimosi", true, true},
        {"$ Antra\xe6t\xeb", " Antra\xe6t\xeb", false, true},
        {"# labas", " labas", true, false},
        {" $5", " $5", false, false},  // a "$" inside a word is text
        {"     ", "     ", false, false},
        {"#     ", "     ", true, false},
    };
    for (const Case& c : cases) {
        const TokenStyle style = decodeToken(c.token);
        EXPECT_EQ(style.text, QByteArray(c.text)) << c.token;
        EXPECT_EQ(style.bold, c.bold) << c.token;
        EXPECT_EQ(style.title, c.title) << c.token;
    }
    EXPECT_TRUE(isParagraphEnd("~"));
    EXPECT_FALSE(isParagraphEnd(" ~"));
}

TEST(TheoryPrinting, PrintsTheWholeTextLineByLineWithoutMarkup) {
    QByteArray memo =
        "@Nosin\xeb"
        "s raid\xebs#\r\nRa\xf0ome @\xe0#, @\xe6#.\r\n\r\n";
    memo += QByteArray(7000, 'x');
    memo += "\r\npabaiga #";
    const QStringList lines = printLines(memo);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Nosinės raidės"));
    EXPECT_EQ(lines[1], QStringLiteral("Rašome ą, ę."));
    EXPECT_EQ(lines[2], QString());
    EXPECT_EQ(lines[3].size(), 7000);
    EXPECT_EQ(lines[4], QStringLiteral("pabaiga "));
}

}  // namespace
}  // namespace lentora::theory

// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/MemoLines.h"

#include <gtest/gtest.h>

using namespace lentora::content;

namespace {

struct SplitCase {
    const char* name;
    QByteArray text;
    QByteArrayList memoLines;      // CR LF only
    QByteArrayList anyBreakLines;  // CR LF, CR or LF
};

const SplitCase kSplitCases[] = {
    {"Empty", "", {}, {}},
    {"OneLine", "one", {"one"}, {"one"}},
    {"FinalBreakStartsNoLine", "one\r\n", {"one"}, {"one"}},
    {"EmptyLineBeforeTheEnd", "one\r\n\r\n", {"one", ""}, {"one", ""}},
    {"LeadingBreak", "\r\ntwo", {"", "two"}, {"", "two"}},
    {"LoneCrAndLf", "a\nb\rc\r\nd", {"a\nb\rc", "d"}, {"a", "b", "c", "d"}},
    {"LfThenCrAreTwoBreaks", "a\n\rb", {"a\n\rb"}, {"a", "", "b"}},
    {"FinalLoneCr", "a\rb\r\n", {"a\rb"}, {"a", "b"}},
};

class MemoLines : public ::testing::TestWithParam<SplitCase> {};

}  // namespace

TEST_P(MemoLines, Split) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(splitMemoLines(c.text), c.memoLines);
    EXPECT_EQ(splitLinesAtAnyBreak(c.text), c.anyBreakLines);
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoLines, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

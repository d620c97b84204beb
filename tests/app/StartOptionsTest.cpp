// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartOptions.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace lentora;
using Action = StartOptions::Action;

TEST(StartOptions, CourseFromTheOptionOrTheEnvironment) {
    EXPECT_EQ(parseStartOptions({"--course", "/k"}, "", true).courseDir, "/k");
    EXPECT_EQ(parseStartOptions({"--course=/k"}, "", true).courseDir, "/k");
    EXPECT_EQ(parseStartOptions({}, "/env", true).courseDir, "/env");
    EXPECT_EQ(parseStartOptions({"--course", "/k"}, "/env", true).courseDir, "/k");
    EXPECT_EQ(parseStartOptions({}, "", true).action, Action::Run);
    EXPECT_EQ(parseStartOptions({"--version", "--bad"}, "", true).action, Action::Version);
    EXPECT_EQ(parseStartOptions({"-platform", "offscreen", "-h"}, "", false).action, Action::Help);
}

TEST(StartOptions, AMissingCourseOrAStrayArgumentFails) {
    EXPECT_EQ(parseStartOptions({"--course"}, "/env", true).action, Action::Fail);
    EXPECT_EQ(parseStartOptions({"--course="}, "/env", true).action, Action::Fail);
    EXPECT_EQ(parseStartOptions({"--cours", "/k"}, "", false).action, Action::Fail);
    // Before Qt has taken its options a plain word may be one of theirs; afterwards it fails.
    EXPECT_EQ(parseStartOptions({"offscreen"}, "", false).action, Action::Run);
    const StartOptions stray = parseStartOptions({"kursas"}, "", true);
    EXPECT_EQ(stray.action, Action::Fail);
    EXPECT_TRUE(stray.message.contains("kursas"));
}

TEST(StartOptions, ACourseDirectoryWithoutMenuIsNamedInTheMessage) {
    lentora::testing::TempProgramDir dir;
    const std::optional<CourseProblem> empty = courseDirectoryProblem(dir.path());
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->terminalText.contains(dir.path()));
    EXPECT_TRUE(empty->boxText.contains(dir.path()));
    EXPECT_TRUE(courseDirectoryProblem(dir.filePath("nera")));
    dir.writeFile("meniu.mnu", "Tema\r\n");
    EXPECT_FALSE(courseDirectoryProblem(dir.path()));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts a learner reads in a program directory, read once for the spelling and pattern
// checks: each with the place a finding names and the role that says whether it is meant wrong.

#include <QString>
#include <QStringList>

#include <vector>

namespace lentora::course {

struct PlacedText {
    QString file;   // relative to the program directory
    QString place;  // "line 3", "record 61, field Hint"
    QString text;
    bool meantWrong = false;  // a wrong option, a cross-out target, a pool misspelling
};

struct TestAnswer {
    QString text;
    bool correct = false;
};

struct TestQuestion {
    int questionId = 0;
    QString text;
    bool radio = true;
    std::vector<TestAnswer> answers;  // in the order shown
};

struct CourseTest {
    int id = 0;
    QString caption;
    std::vector<TestQuestion> questions;
};

struct MovableExercise {
    int id = 0;
    int type = 1;
    QString task;
    QStringList sentences;
    QStringList words;  // line k answers sentence k; lines past the sentences are extra pool words
};

struct MarkedExercise {
    int id = 0;
    bool crossOut = false;
    QString text;  // with its "@" marks
};

struct TheoryText {
    int id = 0;
    QString text;  // with its "@"/"#" bold marks
};

struct CourseTexts {
    std::vector<QString> topMenuCaptions;  // as written, with "&"
    std::vector<CourseTest> tests;
    std::vector<MovableExercise> movable;
    std::vector<MarkedExercise> marked;
    std::vector<TheoryText> theory;
    std::vector<PlacedText> all;  // every text the learner reads, for the spelling check
};

// What can be read; unreadable files and fields are left out (the checker reports them).
CourseTexts readCourseTexts(const QString& programDir);

// Words as runs of letters; "@", "#", digits, hyphens and punctuation separate them.
QStringList wordsOf(const QString& text);

}  // namespace lentora::course

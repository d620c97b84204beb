// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoursePatterns.h"

#include "content/Schema.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace lentora::course {

namespace {

// A movable-words page holds 10 rows at the default 14 points.
constexpr int kRowsPerPage = 10;
constexpr int kLongestRhythm = 4;
constexpr int kEndingLetters = 3;
// Sentences shorter than this match by chance ("Taip.", "Ne taip.").
constexpr int kShortestCopiedSentence = 3;

void warn(CheckReport& report, const QString& file, const QString& place, const QString& text) {
    report.findings.push_back({Severity::Warning, file, place, text});
}

// How many of the k! orders of k keys fit the questions' option counts: the chance that keys
// drawn at random form a permutation of places 1..k is that over the product of the counts.
double permutationChance(const std::vector<int>& optionCounts) {
    const int k = int(optionCounts.size());
    std::vector<int> places(static_cast<size_t>(k));
    std::iota(places.begin(), places.end(), 0);
    double fitting = 0;
    do {
        bool fits = true;
        for (int i = 0; i < k && fits; ++i) {
            fits = places[size_t(i)] < optionCounts[size_t(i)];
        }
        fitting += fits ? 1 : 0;
    } while (std::next_permutation(places.begin(), places.end()));
    double all = 1;
    for (const int count : optionCounts) {
        all *= count;
    }
    return fitting / all;
}

void checkRadioKeys(const CourseTexts& texts, CheckReport& report) {
    const QString file = content::questionSchema().file;
    std::map<int, int> keysAtPlace;
    int keys = 0;
    int permutations = 0;
    double expected = 0;
    double variance = 0;
    for (const CourseTest& test : texts.tests) {
        std::vector<int> places;
        std::vector<int> optionCounts;
        for (const TestQuestion& question : test.questions) {
            const auto right = std::find_if(question.answers.begin(), question.answers.end(),
                                            [](const TestAnswer& a) { return a.correct; });
            if (!question.radio || right == question.answers.end()) {
                continue;
            }
            places.push_back(int(right - question.answers.begin()));
            optionCounts.push_back(int(question.answers.size()));
            ++keysAtPlace[places.back() + 1];
            ++keys;
        }
        // Longer tests are not judged: their keys cannot all differ once k exceeds the options.
        if (places.size() < 3 || places.size() > 6) {
            continue;
        }
        const double chance = permutationChance(optionCounts);
        expected += chance;
        variance += chance * (1 - chance);
        std::vector<int> sorted = places;
        std::sort(sorted.begin(), sorted.end());
        std::vector<int> firstPlaces(sorted.size());
        std::iota(firstPlaces.begin(), firstPlaces.end(), 0);
        if (sorted == firstPlaces) {
            ++permutations;
            QStringList shown;
            for (const int place : places) {
                shown << QString::number(place + 1);
            }
            warn(report, file, QStringLiteral("test %1").arg(test.id),
                 QStringLiteral("the radio keys stand at places %1, one at each place: a learner "
                                "who knows one can guess the rest")
                     .arg(shown.join(QStringLiteral(", "))));
        }
    }
    if (permutations > 0 && permutations > expected + 2 * std::sqrt(variance)) {
        warn(report, file, {},
             QStringLiteral("%1 tests have their radio keys in a permutation of places; chance "
                            "gives %2: draw the right option's place at random (\"Maišyti: taip\")")
                 .arg(permutations)
                 .arg(expected, 0, 'f', 1));
    }
    for (const auto& [place, count] : keysAtPlace) {
        if (keys >= 4 && 2 * count > keys) {
            warn(report, file, {},
                 QStringLiteral("%1 of the course's %2 radio keys stand at place %3")
                     .arg(count)
                     .arg(keys)
                     .arg(place));
        }
    }
}

void checkSortingRhythm(const CourseTexts& texts, CheckReport& report) {
    for (const MovableExercise& exercise : texts.movable) {
        if (exercise.type != 2) {
            continue;
        }
        // "@" marks a category offered already; the row's category is the same.
        QStringList categories = exercise.words.mid(0, exercise.sentences.size());
        for (QString& category : categories) {
            category = category.remove(QLatin1Char('@')).trimmed();
        }
        const int rows = int(categories.size());
        for (int period = 1; period <= kLongestRhythm && 2 * period <= rows && rows >= 4;
             ++period) {
            bool repeats = true;
            for (int row = period; row < rows && repeats; ++row) {
                repeats = categories[row] == categories[row - period];
            }
            if (repeats) {
                warn(report, content::movableWordsSchema().file,
                     QStringLiteral("record %1").arg(exercise.id),
                     QStringLiteral("the categories repeat every %1 rows; a learner can sort by "
                                    "the rhythm")
                         .arg(period));
                break;
            }
        }
    }
}

void checkOneTargetPerLine(const CourseTexts& texts, CheckReport& report) {
    for (const MarkedExercise& exercise : texts.marked) {
        int lines = 0;
        bool oneEach = true;
        for (const QString& line : exercise.text.split(QStringLiteral("\r\n"))) {
            if (line.trimmed().isEmpty()) {
                continue;
            }
            ++lines;
            const QStringList chunks = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            oneEach = oneEach && std::count_if(chunks.begin(), chunks.end(), [](const QString& c) {
                                     return c.contains(QLatin1Char('@'));
                                 }) == 1;
        }
        if (lines >= 2 && oneEach) {
            warn(report, content::markedWordsSchema().file,
                 QStringLiteral("record %1").arg(exercise.id),
                 QStringLiteral("every line holds exactly one target; a learner can mark one word "
                                "a line without reading"));
        }
    }
}

// A sentence as compared: marks, case, spacing and end punctuation do not count.
QString normalSentence(const QString& text) {
    return wordsOf(text).join(QLatin1Char(' ')).toLower();
}

// Sentences end at their end marks; an example after a colon counts as one of its own.
QStringList sentencesOf(const QString& text) {
    static const QRegularExpression end(QStringLiteral("(?<=[.!?…:])\\s+|\\r\\n"));
    return text.split(end, Qt::SkipEmptyParts);
}

void checkTheoryCopies(const CourseTexts& texts, CheckReport& report) {
    std::map<QString, int> theorySentences;  // -> theory record
    for (const TheoryText& theory : texts.theory) {
        for (const QString& sentence : sentencesOf(theory.text)) {
            const QString normal = normalSentence(sentence);
            if (normal.count(QLatin1Char(' ')) + 1 >= kShortestCopiedSentence) {
                theorySentences.emplace(normal, theory.id);
            }
        }
    }
    const auto check = [&](const QString& item, const QString& file, const QString& place) {
        const auto found = theorySentences.find(normalSentence(item));
        if (found != theorySentences.end()) {
            warn(report, file, place,
                 QStringLiteral("the item is a sentence of theory text %1; write a new one")
                     .arg(found->second));
        }
    };
    for (const CourseTest& test : texts.tests) {
        for (const TestQuestion& question : test.questions) {
            const QString place =
                QStringLiteral("test %1, question %2").arg(test.id).arg(question.questionId);
            check(question.text, content::questionSchema().file, place);
            for (const TestAnswer& answer : question.answers) {
                check(answer.text, content::answerSchema().file, place);
            }
        }
    }
    static const QRegularExpression gap(QStringLiteral("_{2,}"));
    for (const MovableExercise& exercise : texts.movable) {
        for (int row = 0; row < exercise.sentences.size(); ++row) {
            QString filled = exercise.sentences[row];
            if (exercise.type == 1 && row < exercise.words.size()) {
                filled.replace(gap, exercise.words[row]);
            }
            check(filled, content::movableWordsSchema().file,
                  QStringLiteral("record %1, row %2").arg(exercise.id).arg(row + 1));
        }
    }
    for (const MarkedExercise& exercise : texts.marked) {
        for (const QString& sentence : sentencesOf(exercise.text)) {
            check(sentence, content::markedWordsSchema().file,
                  QStringLiteral("record %1").arg(exercise.id));
        }
    }
}

void checkSharedEndings(const CourseTexts& texts, CheckReport& report) {
    for (const MovableExercise& exercise : texts.movable) {
        if (exercise.type != 1) {
            continue;
        }
        const int rows = int(std::min(exercise.sentences.size(), exercise.words.size()));
        for (int row = 0; row < rows; ++row) {
            const QString word = exercise.words[row].trimmed().toLower();
            const int pageStart = row / kRowsPerPage * kRowsPerPage;
            const int pageEnd = std::min(rows, pageStart + kRowsPerPage);
            for (int other = pageStart; other < pageEnd; ++other) {
                const QString otherWord = exercise.words[other].trimmed().toLower();
                if (other != row && otherWord != word && word.size() >= kEndingLetters &&
                    otherWord.size() >= kEndingLetters &&
                    word.right(kEndingLetters) == otherWord.right(kEndingLetters)) {
                    warn(report, content::movableWordsSchema().file,
                         QStringLiteral("record %1, row %2").arg(exercise.id).arg(row + 1),
                         QStringLiteral("the gap could also take \"%1\" of the same page (same "
                                        "ending \"-%2\"); look whether both fit")
                             .arg(exercise.words[other].trimmed(), word.right(kEndingLetters)));
                    break;
                }
            }
        }
    }
}

}  // namespace

void checkPatterns(const CourseTexts& texts, CheckReport& report) {
    checkRadioKeys(texts, report);
    checkSortingRhythm(texts, report);
    checkOneTargetPerLine(texts, report);
    checkTheoryCopies(texts, report);
    checkSharedEndings(texts, report);
}

void checkPatterns(const QString& programDir, CheckReport& report) {
    checkPatterns(readCourseTexts(programDir), report);
}

}  // namespace lentora::course

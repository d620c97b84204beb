// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/SimpleTestResult.h"

#include "platform/CodePage1257.h"
#include "platform/ContentLimits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace lentora::simple_test {

namespace {

// The snapshot: {"v":1,"caption":…,"width":…,"height":…,"questions":[{"text":…,"x":…,"y":…,
// "width":…,"height":…,"radio":…,"answers":[{"text":…,"x":…,"y":…,"right":…,"ticked":…}]}]},
// texts in Unicode.
constexpr int kSnapshotVersion = 1;

int number(const QJsonValue& value) {
    return clampedInt(value.toDouble(), -kMaxContentExtent, kMaxContentExtent);
}

QJsonObject answerObject(const AnswerItem& answer) {
    return {{"text", fromCp1257(answer.text)},
            {"x", answer.place.x()},
            {"y", answer.place.y()},
            {"right", answer.right},
            {"ticked", answer.ticked}};
}

QJsonObject questionObject(const QuestionItem& question) {
    QJsonArray answers;
    for (const AnswerItem& answer : question.answers) {
        answers.append(answerObject(answer));
    }
    return {{"text", fromCp1257(question.text)},
            {"x", question.box.x()},
            {"y", question.box.y()},
            {"width", question.box.width()},
            {"height", question.box.height()},
            {"radio", question.radio},
            {"answers", answers}};
}

// Every field must be there with its type: a snapshot of anything else is not shown.
bool hasFields(const QJsonObject& object, std::initializer_list<const char*> texts,
               std::initializer_list<const char*> numbers, std::initializer_list<const char*> flags,
               std::initializer_list<const char*> lists) {
    auto all = [&object](std::initializer_list<const char*> keys, auto isType) {
        for (const char* key : keys) {
            if (!isType(object.value(QLatin1String(key)))) {
                return false;
            }
        }
        return true;
    };
    return all(texts, [](const QJsonValue& v) { return v.isString(); }) &&
           all(numbers, [](const QJsonValue& v) { return v.isDouble(); }) &&
           all(flags, [](const QJsonValue& v) { return v.isBool(); }) &&
           all(lists, [](const QJsonValue& v) { return v.isArray(); });
}

std::optional<QuestionItem> questionFrom(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    if (!hasFields(object, {"text"}, {"x", "y", "width", "height"}, {"radio"}, {"answers"})) {
        return std::nullopt;
    }
    QuestionItem question;
    question.text = toCp1257(object.value("text").toString());
    question.box = QRect(number(object.value("x")), number(object.value("y")),
                         number(object.value("width")), number(object.value("height")));
    question.radio = object.value("radio").toBool();
    for (const QJsonValue& each : object.value("answers").toArray()) {
        const QJsonObject answer = each.toObject();
        if (!hasFields(answer, {"text"}, {"x", "y"}, {"right", "ticked"}, {})) {
            return std::nullopt;
        }
        question.answers.push_back({toCp1257(answer.value("text").toString()),
                                    QPoint(number(answer.value("x")), number(answer.value("y"))),
                                    answer.value("right").toBool(),
                                    answer.value("ticked").toBool()});
    }
    return question;
}

}  // namespace

AnswerMark answerMark(const AnswerItem& answer) {
    if (answer.ticked) {
        return answer.right ? AnswerMark::TickedRight : AnswerMark::TickedWrong;
    }
    return answer.right ? AnswerMark::MissedRight : AnswerMark::Plain;
}

int wrongTicks(const SimpleTestSession& session) {
    int count = 0;
    for (const QuestionItem& question : session.questions()) {
        for (const AnswerItem& answer : question.answers) {
            count += !question.radio && answer.ticked && !answer.right ? 1 : 0;
        }
    }
    return count;
}

content::ExerciseResult exerciseResult(const SimpleTestSession& session, std::int32_t record) {
    content::ExerciseResult result;
    result.kind = content::ExerciseKind::SimpleTest;
    result.record = record;
    result.points = session.points();
    QJsonArray questions;
    const std::vector<QuestionItem>& items = session.questions();
    for (int q = 0; q < int(items.size()); ++q) {
        const QuestionItem& question = items[size_t(q)];
        questions.append(questionObject(question));
        QStringList given;
        QStringList right;
        bool wrongTicked = false;
        for (const AnswerItem& answer : question.answers) {
            if (answer.ticked) {
                given.append(fromCp1257(answer.text));
                wrongTicked = wrongTicked || !answer.right;
            }
            if (answer.right) {
                right.append(fromCp1257(answer.text));
            }
        }
        const Points points = session.pointsOf(q);
        result.items.push_back({q, given.join(QStringLiteral("; ")),
                                right.join(QStringLiteral("; ")),
                                points.score == points.maxScore && !wrongTicked});
    }
    const QJsonObject shown{{"v", kSnapshotVersion},
                            {"caption", session.caption()},
                            {"width", session.outerSize().width()},
                            {"height", session.outerSize().height()},
                            {"questions", questions}};
    result.shown = QJsonDocument(shown).toJson(QJsonDocument::Compact);
    return result;
}

std::optional<SimpleTestSession> restoreSession(const content::ExerciseResult& result) {
    if (result.kind != content::ExerciseKind::SimpleTest || result.skipped) {
        return std::nullopt;
    }
    const QJsonObject shown = QJsonDocument::fromJson(result.shown).object();
    if (shown.value("v").toInt() != kSnapshotVersion ||
        !hasFields(shown, {"caption"}, {"width", "height"}, {}, {"questions"})) {
        return std::nullopt;
    }
    std::vector<QuestionItem> questions;
    for (const QJsonValue& each : shown.value("questions").toArray()) {
        std::optional<QuestionItem> question = questionFrom(each);
        if (!question) {
            return std::nullopt;
        }
        questions.push_back(std::move(*question));
    }
    SimpleTestSession session;
    session.openShown(QSize(number(shown.value("width")), number(shown.value("height"))),
                      shown.value("caption").toString(), std::move(questions));
    return session;
}

}  // namespace lentora::simple_test

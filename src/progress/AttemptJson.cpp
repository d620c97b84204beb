// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/AttemptJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace lentora::progress {

namespace {

constexpr int kFormat = 1;

QString timeText(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

// Numbers must be whole and fit 32 bits; anything else makes the line foreign.
std::optional<std::int32_t> int32Of(const QJsonValue& value) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    // The range first: converting a number beyond it is undefined.
    if (!(number >= std::numeric_limits<std::int32_t>::min() &&
          number <= std::numeric_limits<std::int32_t>::max()) ||
        number != std::trunc(number)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

std::optional<QDateTime> timeOf(const QJsonValue& value) {
    if (!value.isString()) {
        return std::nullopt;
    }
    if (value.toString().isEmpty()) {
        return QDateTime();
    }
    const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    if (!time.isValid()) {
        return std::nullopt;
    }
    return time.toLocalTime();
}

std::optional<content::Points> pointsOf(const QJsonObject& object) {
    const auto score = int32Of(object.value("score"));
    const auto maxScore = int32Of(object.value("max"));
    if (!score || !maxScore) {
        return std::nullopt;
    }
    return content::Points{*score, *maxScore};
}

std::optional<content::ItemResult> itemOf(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const auto item = int32Of(object.value("item"));
    if (!value.isObject() || !item || !object.value("given").isString() ||
        !object.value("right").isString() || !object.value("correct").isBool()) {
        return std::nullopt;
    }
    return content::ItemResult{*item, object.value("given").toString(),
                               object.value("right").toString(), object.value("correct").toBool()};
}

std::optional<content::ExerciseResult> exerciseOf(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const auto kind = content::exerciseKindFromName(object.value("kind").toString());
    const auto record = int32Of(object.value("record"));
    const auto points = pointsOf(object);
    if (!value.isObject() || !kind || !record || !points || !object.value("skipped").isBool() ||
        !object.value("failure").isString() || !object.value("shown").isString() ||
        !object.value("items").isArray()) {
        return std::nullopt;
    }
    content::ExerciseResult exercise;
    exercise.kind = *kind;
    exercise.record = *record;
    exercise.skipped = object.value("skipped").toBool();
    exercise.failure = object.value("failure").toString();
    exercise.points = *points;
    const auto shown = QByteArray::fromBase64Encoding(object.value("shown").toString().toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
    if (!shown) {
        return std::nullopt;
    }
    exercise.shown = *shown;
    for (const QJsonValue& each : object.value("items").toArray()) {
        const auto item = itemOf(each);
        if (!item) {
            return std::nullopt;
        }
        exercise.items.push_back(*item);
    }
    return exercise;
}

}  // namespace

QByteArray attemptToJson(const Attempt& attempt) {
    const AttemptSummary& summary = attempt.summary;
    QJsonArray exercises;
    for (const content::ExerciseResult& exercise : attempt.exercises) {
        QJsonArray items;
        for (const content::ItemResult& item : exercise.items) {
            items.append(QJsonObject{{"item", item.item},
                                     {"given", item.given},
                                     {"right", item.right},
                                     {"correct", item.correct}});
        }
        exercises.append(QJsonObject{{"kind", content::exerciseKindName(exercise.kind)},
                                     {"record", exercise.record},
                                     {"skipped", exercise.skipped},
                                     {"failure", exercise.failure},
                                     {"score", exercise.points.score},
                                     {"max", exercise.points.maxScore},
                                     {"shown", QString::fromLatin1(exercise.shown.toBase64())},
                                     {"items", items}});
    }
    const QJsonObject object{{"format", kFormat},
                             {"id", summary.id.toString(QUuid::WithoutBraces)},
                             {"learner", QString::number(summary.learnerId)},
                             {"course", summary.courseId},
                             {"courseVersion", summary.courseVersion},
                             {"menuPath", summary.menuPath},
                             {"menuRowId", summary.menuRowId},
                             {"started", timeText(summary.started)},
                             {"ended", timeText(summary.ended)},
                             {"score", summary.points.score},
                             {"max", summary.points.maxScore},
                             {"grade", summary.grade},
                             {"incomplete", summary.incomplete},
                             {"exercises", exercises}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<Attempt> attemptFromJson(QByteArrayView line) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    Attempt attempt;
    AttemptSummary& summary = attempt.summary;
    bool learnerOk = false;
    summary.id = QUuid::fromString(object.value("id").toString());
    summary.learnerId = object.value("learner").toString().toLongLong(&learnerOk);
    const auto menuRowId = int32Of(object.value("menuRowId"));
    const auto started = timeOf(object.value("started"));
    const auto ended = timeOf(object.value("ended"));
    const auto points = pointsOf(object);
    const auto grade = int32Of(object.value("grade"));
    if (int32Of(object.value("format")) != kFormat || summary.id.isNull() || !learnerOk ||
        !object.value("course").isString() || !object.value("courseVersion").isString() ||
        !object.value("menuPath").isString() || !menuRowId || !started || !ended || !points ||
        !grade || !object.value("incomplete").isBool() || !object.value("exercises").isArray()) {
        return std::nullopt;
    }
    summary.courseId = object.value("course").toString();
    summary.courseVersion = object.value("courseVersion").toString();
    summary.menuPath = object.value("menuPath").toString();
    summary.menuRowId = *menuRowId;
    summary.started = *started;
    summary.ended = *ended;
    summary.points = *points;
    summary.grade = *grade;
    summary.incomplete = object.value("incomplete").toBool();
    for (const QJsonValue& each : object.value("exercises").toArray()) {
        const auto exercise = exerciseOf(each);
        if (!exercise) {
            return std::nullopt;
        }
        attempt.exercises.push_back(*exercise);
    }
    return attempt;
}

}  // namespace lentora::progress

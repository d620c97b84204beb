// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ExercisesJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lentora::progress {

QByteArray exercisesToJson(const std::vector<content::ExerciseResult>& exercises) {
    QJsonArray array;
    for (const content::ExerciseResult& exercise : exercises) {
        QJsonArray items;
        for (const content::ItemResult& item : exercise.items) {
            items.append(QJsonObject{{QStringLiteral("item"), item.item},
                                     {QStringLiteral("given"), item.given},
                                     {QStringLiteral("right"), item.right},
                                     {QStringLiteral("correct"), item.correct}});
        }
        array.append(
            QJsonObject{{QStringLiteral("kind"), content::exerciseKindName(exercise.kind)},
                        {QStringLiteral("record"), exercise.record},
                        {QStringLiteral("skipped"), exercise.skipped},
                        {QStringLiteral("failure"), exercise.failure},
                        {QStringLiteral("score"), exercise.points.score},
                        {QStringLiteral("max_score"), exercise.points.maxScore},
                        {QStringLiteral("shown"), QString::fromLatin1(exercise.shown.toBase64())},
                        {QStringLiteral("items"), items}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<std::vector<content::ExerciseResult>> exercisesFromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        return std::nullopt;
    }
    std::vector<content::ExerciseResult> exercises;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        const auto kind =
            content::exerciseKindFromName(object.value(QStringLiteral("kind")).toString());
        if (!kind) {
            return std::nullopt;
        }
        content::ExerciseResult exercise;
        exercise.kind = *kind;
        exercise.record = object.value(QStringLiteral("record")).toInt();
        exercise.skipped = object.value(QStringLiteral("skipped")).toBool();
        exercise.failure = object.value(QStringLiteral("failure")).toString();
        exercise.points.score = object.value(QStringLiteral("score")).toInt();
        exercise.points.maxScore = object.value(QStringLiteral("max_score")).toInt();
        exercise.shown =
            QByteArray::fromBase64(object.value(QStringLiteral("shown")).toString().toLatin1());
        for (const QJsonValue& itemValue : object.value(QStringLiteral("items")).toArray()) {
            const QJsonObject item = itemValue.toObject();
            exercise.items.push_back({item.value(QStringLiteral("item")).toInt(),
                                      item.value(QStringLiteral("given")).toString(),
                                      item.value(QStringLiteral("right")).toString(),
                                      item.value(QStringLiteral("correct")).toBool()});
        }
        exercises.push_back(std::move(exercise));
    }
    return exercises;
}

}  // namespace lentora::progress

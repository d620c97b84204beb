// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/MovableWordsSnapshot.h"

#include "platform/CodePage1257.h"
#include "platform/ContentLimits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace lentora::movable_words {

namespace {

constexpr int kVersion = 1;

QJsonArray textArray(const QByteArrayList& texts) {
    QJsonArray array;
    for (const QByteArray& text : texts) {
        array.append(fromCp1257(text));
    }
    return array;
}

// Each entry a text, or none.
std::optional<QByteArrayList> textList(const QJsonValue& value) {
    if (!value.isArray()) {
        return std::nullopt;
    }
    QByteArrayList texts;
    for (const QJsonValue& each : value.toArray()) {
        if (!each.isString()) {
            return std::nullopt;
        }
        texts.append(toCp1257(each.toString()));
    }
    return texts;
}

std::optional<int> extent(const QJsonValue& value) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    return clampedInt(value.toDouble(), 0, kMaxContentExtent);
}

// A plain file name of a picture beside the others: never a path out of their directory.
bool plainPictureName(const QString& name) {
    return name.isEmpty() || (!name.contains(u'/') && !name.contains(u'\\') &&
                              !name.startsWith(u'.') && !name.contains(QChar(0)));
}

}  // namespace

content::ExerciseKind exerciseKind(Variant variant) {
    return variant == Variant::Sorting ? content::ExerciseKind::Sorting
                                       : content::ExerciseKind::GapFilling;
}

QByteArray MovableWordsSnapshot::toJson() const {
    QJsonArray orderArray;
    for (const int line : order) {
        orderArray.append(line);
    }
    const QJsonObject object{
        {"version", kVersion},         {"kind", content::exerciseKindName(exerciseKind(variant))},
        {"task", fromCp1257(task)},    {"sentences", textArray(sentences)},
        {"words", textArray(words)},   {"order", orderArray},
        {"gaps", textArray(gapWords)}, {"pool", textArray(poolWords)},
        {"width", outer.width()},      {"height", outer.height()},
        {"boxWidth", boxWidth},        {"picture", picture},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<MovableWordsSnapshot> MovableWordsSnapshot::fromJson(QByteArrayView json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    if (object.value("version") != QJsonValue(kVersion)) {
        return std::nullopt;
    }
    const std::optional<content::ExerciseKind> kind =
        content::exerciseKindFromName(object.value("kind").toString());
    if (kind != content::ExerciseKind::GapFilling && kind != content::ExerciseKind::Sorting) {
        return std::nullopt;
    }
    MovableWordsSnapshot shown;
    shown.variant = kind == content::ExerciseKind::Sorting ? Variant::Sorting : Variant::Gaps;
    const std::optional<QByteArrayList> sentences = textList(object.value("sentences"));
    const std::optional<QByteArrayList> words = textList(object.value("words"));
    const std::optional<QByteArrayList> gaps = textList(object.value("gaps"));
    const std::optional<QByteArrayList> pool = textList(object.value("pool"));
    const std::optional<int> width = extent(object.value("width"));
    const std::optional<int> height = extent(object.value("height"));
    const std::optional<int> boxWidth = extent(object.value("boxWidth"));
    const QJsonValue task = object.value("task");
    const QJsonValue picture = object.value("picture");
    const QJsonValue order = object.value("order");
    if (!sentences || !words || !gaps || !pool || !width || !height || !boxWidth ||
        !task.isString() || !picture.isString() || !order.isArray()) {
        return std::nullopt;
    }
    const qsizetype slotCount = words->size();
    if (gaps->size() != slotCount || pool->size() != slotCount ||
        order.toArray().size() != slotCount || !plainPictureName(picture.toString())) {
        return std::nullopt;
    }
    for (const QJsonValue& line : order.toArray()) {
        const double at = line.toDouble(-1);
        if (!line.isDouble() || at < 0 || at >= double(slotCount) || at != double(qint64(at))) {
            return std::nullopt;
        }
        shown.order.push_back(int(at));
    }
    shown.task = toCp1257(task.toString());
    shown.sentences = *sentences;
    shown.words = *words;
    shown.gapWords = *gaps;
    shown.poolWords = *pool;
    shown.outer = QSize(*width, *height);
    shown.boxWidth = *boxWidth;
    shown.picture = picture.toString();
    return shown;
}

std::optional<MovableWordsSnapshot> MovableWordsSnapshot::fromResult(
    const content::ExerciseResult& result) {
    if (result.skipped) {
        return std::nullopt;
    }
    std::optional<MovableWordsSnapshot> shown = fromJson(result.shown);
    if (!shown || exerciseKind(shown->variant) != result.kind) {
        return std::nullopt;
    }
    return shown;
}

}  // namespace lentora::movable_words

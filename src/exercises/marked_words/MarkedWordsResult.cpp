// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/marked_words/MarkedWordsResult.h"

#include "platform/CodePage1257.h"
#include "platform/ContentLimits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lentora::marked_words {

namespace {

// The snapshot: {"v":1,"caption":…,"heading":…,"width":…,"height":…,"crossOut":…,
// "tokens":[[text, flags], …]}, texts in Unicode; the tokens are kept as they were cut, so a
// later change of the cutting shows the old exercise as it was.
constexpr int kSnapshotVersion = 1;
constexpr int kMarked = 1;
constexpr int kTarget = 2;
constexpr int kEndOfLine = 4;
constexpr int kGlued = 8;
constexpr int kAllFlags = 15;
// A text of kMaxTextBytes gives at most a token per byte and the closing line end.
constexpr qsizetype kMaxTokens = kMaxTextBytes + 1;

int flagsOf(const WordToken& token) {
    return (token.Marked ? kMarked : 0) | (token.Target ? kTarget : 0) |
           (token.EndOfLine ? kEndOfLine : 0) | (token.Glued ? kGlued : 0);
}

std::optional<WordToken> tokenFrom(const QJsonValue& value) {
    const QJsonArray pair = value.toArray();
    if (pair.size() != 2 || !pair[0].isString() || !pair[1].isDouble()) {
        return std::nullopt;
    }
    const double flags = pair[1].toDouble();
    WordToken token;
    token.Text = toCp1257(pair[0].toString());
    // Layout reads every token's first byte.
    if (token.Text.isEmpty() || token.Text.size() > kMaxTextBytes || !(flags >= 0) ||
        flags > kAllFlags || flags != int(flags)) {
        return std::nullopt;
    }
    const int bits = int(flags);
    token.Marked = bits & kMarked;
    token.Target = bits & kTarget;
    token.EndOfLine = bits & kEndOfLine;
    token.Glued = bits & kGlued;
    return token;
}

}  // namespace

TokenMark tokenMark(const WordToken& token) {
    if (token.Marked) {
        return token.Target ? TokenMark::MarkedTarget : TokenMark::WrongMark;
    }
    return token.Target ? TokenMark::MissedTarget : TokenMark::Plain;
}

int wrongMarks(const Tokens& tokens) {
    int count = 0;
    for (const WordToken& token : tokens) {
        count += token.Marked && !token.Target ? 1 : 0;
    }
    return count;
}

content::ExerciseResult exerciseResult(const ShownExercise& shown, std::int32_t record) {
    content::ExerciseResult result;
    result.kind = content::ExerciseKind::MarkedWords;
    result.record = record;
    result.points = scoreTokens(shown.tokens);
    QJsonArray tokens;
    for (const WordToken& token : shown.tokens) {
        const QString word = fromCp1257(token.Text);
        tokens.append(QJsonArray{word, flagsOf(token)});
        if (token.Target) {
            result.items.push_back(
                {int(result.items.size()), token.Marked ? word : QString(), word, token.Marked});
        } else if (token.Marked) {
            result.items.push_back({int(result.items.size()), word, QString(), false});
        }
    }
    const QJsonObject snapshot{{"v", kSnapshotVersion},
                               {"caption", shown.caption},
                               {"heading", shown.heading},
                               {"width", shown.outer.width()},
                               {"height", shown.outer.height()},
                               {"crossOut", shown.crossOut},
                               {"tokens", tokens}};
    result.shown = QJsonDocument(snapshot).toJson(QJsonDocument::Compact);
    return result;
}

std::optional<ShownExercise> restoreExercise(const content::ExerciseResult& result) {
    if (result.kind != content::ExerciseKind::MarkedWords || result.skipped) {
        return std::nullopt;
    }
    const QJsonObject snapshot = QJsonDocument::fromJson(result.shown).object();
    const QJsonValue tokens = snapshot.value("tokens");
    if (snapshot.value("v").toInt() != kSnapshotVersion || !snapshot.value("caption").isString() ||
        !snapshot.value("heading").isString() || !snapshot.value("width").isDouble() ||
        !snapshot.value("height").isDouble() || !snapshot.value("crossOut").isBool() ||
        !tokens.isArray() || tokens.toArray().size() > kMaxTokens) {
        return std::nullopt;
    }
    ShownExercise shown;
    shown.caption = snapshot.value("caption").toString();
    shown.heading = snapshot.value("heading").toString();
    shown.outer = QSize(clampedInt(snapshot.value("width").toDouble(), 0, kMaxContentExtent),
                        clampedInt(snapshot.value("height").toDouble(), 0, kMaxContentExtent));
    shown.crossOut = snapshot.value("crossOut").toBool();
    for (const QJsonValue& each : tokens.toArray()) {
        std::optional<WordToken> token = tokenFrom(each);
        if (!token) {
            return std::nullopt;
        }
        shown.tokens.push_back(std::move(*token));
    }
    return shown;
}

}  // namespace lentora::marked_words

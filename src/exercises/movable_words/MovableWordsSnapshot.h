// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"
#include "exercises/movable_words/MovableWordsLogic.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace lentora::movable_words {

// A done movable-words exercise as the learner saw and left it, kept with its result so that a
// review can show it again once the course's table has changed or is gone. Texts are code page
// 1257 here and Unicode in the JSON.
struct MovableWordsSnapshot {
    Variant variant = Variant::Gaps;
    QByteArray task;
    QByteArrayList sentences;
    QByteArrayList words;
    std::vector<int> order;    // which word line each slot's pool box started with
    QByteArrayList gapWords;   // each slot's gap as left
    QByteArrayList poolWords;  // each slot's pool box as left
    QSize outer;               // the window the row asked for
    int boxWidth = 0;
    QString picture;  // the background's file name; empty for none
    friend bool operator==(const MovableWordsSnapshot&, const MovableWordsSnapshot&) = default;

    // Compact UTF-8 JSON.
    QByteArray toJson() const;
    // None for anything but a snapshot of this kind that fits its own words.
    static std::optional<MovableWordsSnapshot> fromJson(QByteArrayView json);
    // The snapshot a result of a movable-words kind keeps, when it is one of that kind.
    static std::optional<MovableWordsSnapshot> fromResult(const content::ExerciseResult& result);
};

content::ExerciseKind exerciseKind(Variant variant);

}  // namespace lentora::movable_words

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"
#include "content/Points.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <cstdint>
#include <vector>

namespace lentora::progress {

// A learner: a name, known to its store by a number.
struct Learner {
    std::int64_t id = 0;
    QString name;
    friend bool operator==(const Learner&, const Learner&) = default;
};

// What a stored attempt is listed by, without its exercises.
struct AttemptSummary {
    QUuid id;  // made where the attempt was done; a store refuses a second one
    std::int64_t learnerId = 0;
    QString courseId;       // the course's stable id
    QString courseVersion;  // a hash of the course's tables when it was done
    QString menuPath;       // the menu captions down to the item, " > " between them
    std::int32_t menuRowId = 0;
    QDateTime started;
    QDateTime ended;
    content::Points points;
    int grade = 0;  // 0 when the entry gave none
    // An exercise was skipped because its table could not be read.
    bool incomplete = false;
    friend bool operator==(const AttemptSummary&, const AttemptSummary&) = default;
};

// One graded menu entry done by one learner, whole: every exercise in the order done.
struct Attempt {
    AttemptSummary summary;
    std::vector<content::ExerciseResult> exercises;
    friend bool operator==(const Attempt&, const Attempt&) = default;
};

}  // namespace lentora::progress

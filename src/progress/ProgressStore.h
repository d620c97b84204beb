// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lentora::progress {

// Where learners and their attempts are kept. The windows use only this; each backend (the
// learner's own SQLite file, a school's server) is one implementation. No call throws and none
// waits long: a fault is told through the store's report function once per start, and an
// attempt that cannot be written at once is kept to be written later, never dropped.
class ProgressStore {
public:
    // How record() kept an attempt.
    enum class Kept { Written, Pending };

    virtual ~ProgressStore() = default;

    // Whether learners can be added, renamed and removed here (a class server's pupils are the
    // teacher's to manage).
    virtual bool managesLearners() const = 0;
    // Every learner, by name.
    virtual std::vector<Learner> learners() = 0;
    // None when the name is empty or taken, or the store cannot be written.
    virtual std::optional<Learner> addLearner(const QString& name) = 0;
    virtual bool renameLearner(std::int64_t learnerId, const QString& name) = 0;
    // Removes the learner and every attempt of theirs.
    virtual bool removeLearner(std::int64_t learnerId) = 0;
    virtual int attemptCount(std::int64_t learnerId) = 0;

    // The learner learning now, remembered for the next start; none before one was chosen or
    // when the remembered one is gone.
    virtual std::optional<Learner> currentLearner() = 0;
    virtual void setCurrentLearner(std::int64_t learnerId) = 0;

    // Keeps the attempt of its summary's learner, whole or not at all.
    virtual Kept record(const Attempt& attempt) = 0;
    // The learner's attempts in one course, oldest first.
    virtual std::vector<AttemptSummary> attempts(std::int64_t learnerId,
                                                 const QString& courseId) = 0;
    // One attempt with its exercises; none when it is not kept.
    virtual std::optional<Attempt> attempt(const QUuid& id) = 0;
};

// How a store tells the learner about a fault: one clear text.
using ProgressReport = std::function<void(const QString& message)>;

}  // namespace lentora::progress

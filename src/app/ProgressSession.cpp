// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressSession.h"

#include "app/ProgressStorePlace.h"
#include "platform/Error.h"
#include "platform/ProgramPaths.h"
#include "platform/Services.h"

#include <QUuid>

#include <algorithm>

namespace lentora {

namespace {

constexpr int kMasteredGrade = 9;

}  // namespace

ProgressSession::ProgressSession()
    : ProgressSession([](progress::ProgressReport report) {
          return openProgressStore(progressDatabasePath(), std::move(report));
      }) {}

ProgressSession::ProgressSession(StoreMaker maker) : maker_(std::move(maker)) {}

ProgressSession::~ProgressSession() = default;

QString ProgressSession::loginName() {
    for (const char* variable : {"USER", "LOGNAME"}) {
        const QString name = QString::fromLocal8Bit(qgetenv(variable)).trimmed();
        if (!name.isEmpty()) {
            return name;
        }
    }
    return QStringLiteral("Mokinys");
}

void ProgressSession::report(const QString& message) {
    // Each fault once; the learning goes on.
    if (message.isEmpty() || reported_.contains(message)) {
        return;
    }
    reported_.append(message);
    services().messages->showMessage(QStringLiteral("Lentora"), message);
}

progress::ProgressStore* ProgressSession::store() {
    if (opened_) {
        return store_.get();
    }
    opened_ = true;
    guarded([&] {
        if (maker_) {
            store_ = maker_([this](const QString& message) { report(message); });
        }
    });
    return store_.get();
}

std::optional<progress::Learner> ProgressSession::currentLearner() {
    progress::ProgressStore* progress = store();
    if (!progress) {
        return std::nullopt;
    }
    if (std::optional<progress::Learner> current = progress->currentLearner()) {
        return current;
    }
    // The remembered one is gone: whoever comes first learns now.
    // The first start (or the last one removed): one learner by the login name.
    const std::vector<progress::Learner> all = progress->learners();
    if (all.empty()) {
        std::optional<progress::Learner> first;
        if (progress->managesLearners()) {
            first = progress->addLearner(loginName());
        }
        if (first) {
            progress->setCurrentLearner(first->id);
        }
        return first;
    }
    progress->setCurrentLearner(all.front().id);
    return all.front();
}

std::vector<progress::Learner> ProgressSession::learners() {
    progress::ProgressStore* progress = store();
    return progress ? progress->learners() : std::vector<progress::Learner>{};
}

void ProgressSession::setCurrentLearner(std::int64_t learnerId) {
    if (progress::ProgressStore* progress = store()) {
        progress->setCurrentLearner(learnerId);
        masteredLoaded_ = false;
    }
}

QString ProgressSession::courseId() const {
    return lentora::courseId(programPaths().programDir);
}

QString ProgressSession::courseVersion() {
    if (!courseVersion_) {
        courseVersion_ = courseVersionOfProgram(programPaths().programDir);
    }
    return *courseVersion_;
}

void ProgressSession::record(const EntryOutcome& outcome) {
    const std::optional<progress::Learner> learner = currentLearner();
    if (!learner) {
        return;
    }
    progress::Attempt attempt;
    progress::AttemptSummary& summary = attempt.summary;
    summary.id = QUuid::createUuid();
    summary.learnerId = learner->id;
    summary.courseId = courseId();
    summary.courseVersion = courseVersion();
    summary.menuPath = outcome.menuPath;
    summary.menuRowId = outcome.menuId;
    summary.started = outcome.started;
    summary.ended = outcome.ended;
    summary.points = outcome.points;
    summary.grade = outcome.grade;
    summary.incomplete =
        std::any_of(outcome.exercises.begin(), outcome.exercises.end(),
                    [](const content::ExerciseResult& exercise) { return exercise.skipped; });
    attempt.exercises = outcome.exercises;
    store_->record(attempt);
    if (outcome.grade >= kMasteredGrade) {
        mastered_.insert(outcome.menuId);
    }
}

std::vector<progress::AttemptSummary> ProgressSession::attempts() {
    const std::optional<progress::Learner> learner = currentLearner();
    return learner ? store_->attempts(learner->id, courseId())
                   : std::vector<progress::AttemptSummary>{};
}

void ProgressSession::loadMastered() {
    mastered_.clear();
    for (const progress::AttemptSummary& attempt : attempts()) {
        if (attempt.grade >= kMasteredGrade) {
            mastered_.insert(attempt.menuRowId);
        }
    }
    masteredLoaded_ = true;
}

const QSet<std::int32_t>& ProgressSession::mastered() {
    if (!masteredLoaded_) {
        loadMastered();
    }
    return mastered_;
}

}  // namespace lentora

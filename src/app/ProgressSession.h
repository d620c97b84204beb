// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandDispatch.h"
#include "progress/ProgressStore.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lentora {

// The learner's side of the main window: the progress store, opened when first needed, the
// learner learning now and what the menus mark. Works on the store's interface only.
class ProgressSession {
public:
    using StoreMaker =
        std::function<std::unique_ptr<progress::ProgressStore>(progress::ProgressReport report)>;

    // By default the store of openProgressStore() at progressDatabasePath().
    ProgressSession();
    explicit ProgressSession(StoreMaker maker);
    ~ProgressSession();

    // The store, opened on the first call (null when none could be made). The first start
    // makes one learner from the login name and makes them the current one.
    progress::ProgressStore* store();
    bool isOpen() const { return opened_; }

    std::optional<progress::Learner> currentLearner();
    std::vector<progress::Learner> learners();
    void setCurrentLearner(std::int64_t learnerId);
    // Learners were added, renamed, removed or picked elsewhere: what the menus mark is read again.
    void learnersChanged() { masteredLoaded_ = false; }

    // The course the attempts belong to: its stable id and, computed once, its version.
    QString courseId() const;
    QString courseVersion();

    // Keeps a graded entry for the current learner.
    void record(const EntryOutcome& outcome);
    // The current learner's attempts in this course, oldest first.
    std::vector<progress::AttemptSummary> attempts();
    // The menu row ids whose best grade is 9 or 10, for the current learner.
    const QSet<std::int32_t>& mastered();

    // The login name a first learner is called by ("Mokinys" when none is known).
    static QString loginName();

private:
    void report(const QString& message);
    void loadMastered();

    StoreMaker maker_;
    std::unique_ptr<progress::ProgressStore> store_;
    bool opened_ = false;
    std::optional<QString> courseVersion_;
    QSet<std::int32_t> mastered_;
    bool masteredLoaded_ = false;
    QStringList reported_;
};

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/ProgressStore.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QListWidget;
class QPushButton;

namespace lentora {

// "Mokiniai": lists the learners, adds, renames and removes one, and picks who learns now.
class LearnersDialog : public QDialog {
    Q_OBJECT

public:
    LearnersDialog(progress::ProgressStore& store, QWidget* parent = nullptr);

    // Asks for a name (the title, the name to start from); none when the learner cancels.
    using NameAsker = std::function<std::optional<QString>(const QString& title, const QString&)>;
    // Asks to go on with the text; true to go on.
    using Confirmer = std::function<bool(const QString& text)>;
    // Seams for tests, which answer without a dialog.
    void setNameAsker(NameAsker asker) { askName_ = std::move(asker); }
    void setConfirmer(Confirmer confirmer) { confirm_ = std::move(confirmer); }

    QListWidget* list() const { return list_; }
    void addLearner();
    void renameLearner();
    void removeLearner();
    void pickLearner();

private:
    void fill(std::optional<std::int64_t> select);
    std::optional<progress::Learner> selected() const;

    progress::ProgressStore& store_;
    QListWidget* list_;
    NameAsker askName_;
    Confirmer confirm_;
};

}  // namespace lentora

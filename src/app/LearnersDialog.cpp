// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LearnersDialog.h"

#include "controls/HelpTopic.h"
#include "platform/Error.h"
#include "platform/Services.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace lentora {

namespace {

constexpr int kHelpTopic = 10;

}  // namespace

LearnersDialog::LearnersDialog(progress::ProgressStore& store, QWidget* parent)
    : QDialog(parent), store_(store), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Mokiniai"));
    askName_ = [this](const QString& title, const QString& name) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, title, QStringLiteral("Vardas:"),
                                                   QLineEdit::Normal, name, &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    };
    confirm_ = [this](const QString& text) {
        return QMessageBox::question(this, QStringLiteral("Mokiniai"), text) == QMessageBox::Yes;
    };

    auto* buttons = new QVBoxLayout;
    const auto button = [&](const QString& text, void (LearnersDialog::*slot)()) {
        auto* pushButton = new QPushButton(text, this);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this,
                [this, slot] { guarded([&] { (this->*slot)(); }); });
        buttons->addWidget(pushButton);
    };
    button(QString::fromUtf8("Pasirinkti"), &LearnersDialog::pickLearner);
    button(QString::fromUtf8("Pridėti…"), &LearnersDialog::addLearner);
    button(QString::fromUtf8("Pervadinti…"), &LearnersDialog::renameLearner);
    button(QString::fromUtf8("Pašalinti…"), &LearnersDialog::removeLearner);
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Uždaryti"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { pickLearner(); });

    auto* menu = new QMenu(this);
    addHelpTopicItem(*this, *menu, kHelpTopic);
    const std::optional<progress::Learner> current = store_.currentLearner();
    fill(current ? std::optional<std::int64_t>(current->id) : std::nullopt);
    resize(420, 260);
}

void LearnersDialog::fill(std::optional<std::int64_t> select) {
    const std::optional<progress::Learner> current = store_.currentLearner();
    list_->clear();
    for (const progress::Learner& learner : store_.learners()) {
        const bool learning = current && current->id == learner.id;
        auto* item = new QListWidgetItem(
            learning ? learner.name + QString::fromUtf8(" (mokosi dabar)") : learner.name, list_);
        item->setData(Qt::UserRole, QVariant::fromValue<qint64>(learner.id));
        item->setData(Qt::UserRole + 1, learner.name);
        if (select && *select == learner.id) {
            list_->setCurrentItem(item);
        }
    }
}

std::optional<progress::Learner> LearnersDialog::selected() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item) {
        return std::nullopt;
    }
    return progress::Learner{item->data(Qt::UserRole).value<qint64>(),
                             item->data(Qt::UserRole + 1).toString()};
}

void LearnersDialog::addLearner() {
    const std::optional<QString> name = askName_(QString::fromUtf8("Naujas mokinys"), QString());
    if (!name || name->trimmed().isEmpty()) {
        return;
    }
    const std::optional<progress::Learner> added = store_.addLearner(name->trimmed());
    if (!added) {
        services().messages->showMessage(
            QStringLiteral("Mokiniai"),
            QString::fromUtf8("Mokinio „%1“ pridėti nepavyko: toks vardas jau yra arba "
                              "duomenų negalima įrašyti.")
                .arg(name->trimmed()));
        return;
    }
    fill(added->id);
}

void LearnersDialog::renameLearner() {
    const std::optional<progress::Learner> learner = selected();
    if (!learner) {
        return;
    }
    const std::optional<QString> name =
        askName_(QString::fromUtf8("Pervadinti mokinį"), learner->name);
    if (!name || name->trimmed().isEmpty() || name->trimmed() == learner->name) {
        return;
    }
    if (!store_.renameLearner(learner->id, name->trimmed())) {
        services().messages->showMessage(
            QStringLiteral("Mokiniai"),
            QString::fromUtf8("Pervadinti nepavyko: toks vardas jau yra arba duomenų negalima "
                              "įrašyti."));
    }
    fill(learner->id);
}

void LearnersDialog::removeLearner() {
    const std::optional<progress::Learner> learner = selected();
    if (!learner) {
        return;
    }
    const int attempts = store_.attemptCount(learner->id);
    const QString text = QString::fromUtf8(
                             "Pašalinti mokinį „%1“? Kartu bus ištrinti jo bandymai (iš viso: %2). "
                             "Šio veiksmo atšaukti negalima.")
                             .arg(learner->name)
                             .arg(attempts);
    if (!confirm_(text)) {
        return;
    }
    store_.removeLearner(learner->id);
    fill(std::nullopt);
}

void LearnersDialog::pickLearner() {
    if (const std::optional<progress::Learner> learner = selected()) {
        store_.setCurrentLearner(learner->id);
        fill(learner->id);
    }
}

}  // namespace lentora

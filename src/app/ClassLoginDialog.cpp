// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClassLoginDialog.h"

#include "app/ProgressStorePlace.h"
#include "controls/HelpTopic.h"
#include "platform/Services.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <future>

namespace lentora {

namespace {

constexpr int kClassHelpTopic = 11;

}  // namespace

using LoginCheck = progress::ServerProgressStore::LoginCheck;

ClassLoginDialog::ClassLoginDialog(progress::ClassServer server, QWidget* parent)
    : QDialog(parent), server_(std::move(server)) {
    setWindowTitle(QString::fromUtf8("Prisijungimas prie klasės"));
    addHelpTopicItem(*this, *new QMenu(this), kClassHelpTopic);
    checker_ = [this](const QString& login, const QString& password, QString* message) {
        return progress::ServerProgressStore::checkLogin(server_, login, password, message);
    };
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    login_ = new QLineEdit(this);
    login_->setObjectName(QStringLiteral("login"));
    login_->setMaxLength(63);
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("password"));
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(256);
    form->addRow(QString::fromUtf8("Prisijungimo vardas:"), login_);
    form->addRow(QString::fromUtf8("Slaptažodis:"), password_);
    layout->addLayout(form);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setWordWrap(true);
    message_->setText(
        QString::fromUtf8("Klasė: %1. Įveskite prisijungimo vardą ir slaptažodį, kuriuos gavote iš "
                          "mokytojo.")
            .arg(server_.className));
    layout->addWidget(message_);
    auto* buttons = new QDialogButtonBox(this);
    connect_ = buttons->addButton(QString::fromUtf8("Prisijungti"), QDialogButtonBox::AcceptRole);
    connect_->setObjectName(QStringLiteral("connect"));
    buttons->addButton(QString::fromUtf8("Dirbti be klasės"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &ClassLoginDialog::tryLogin);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<ClassLoginDialog::Login> ClassLoginDialog::ask() {
    accepted_.reset();
    triesLeft_ = kTries;
    exec();
    return accepted_;
}

void ClassLoginDialog::tryLogin() {
    const QString login = login_->text().trimmed();
    const QString password = password_->text();
    if (login.isEmpty()) {
        return;
    }
    connect_->setEnabled(false);
    message_->setText(QString::fromUtf8("Jungiamasi prie klasės serverio…"));
    // The check runs on a thread of its own; the dialog keeps painting meanwhile.
    auto message = std::make_shared<QString>();
    std::future<LoginCheck> check =
        std::async(std::launch::async, [checker = checker_, login, password, message] {
            return checker(login, password, message.get());
        });
    QEventLoop wait;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
        if (check.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            wait.quit();
        }
    });
    poll.start(20);
    wait.exec();
    const LoginCheck result = check.get();
    connect_->setEnabled(true);
    if (result == LoginCheck::Refused) {
        --triesLeft_;
        password_->clear();
        if (triesLeft_ <= 0) {
            services().messages->showMessage(
                windowTitle(), QString::fromUtf8("Prisijungti nepavyko. Programa dirbs be klasės: "
                                                 "rezultatai liks tik šiame kompiuteryje, "
                                                 "mokytojas jų nematys."));
            reject();
            return;
        }
        message_->setText(QString::fromUtf8("Neteisingas prisijungimo vardas arba slaptažodis. "
                                            "Liko mėginimų: %1.")
                              .arg(triesLeft_));
        password_->setFocus();
        return;
    }
    // Accepted, out of reach (the store says once that results will be sent later), or a
    // server this program may not write to (the store says so and writes nothing).
    accepted_ = Login{login, password};
    accept();
}

ProgressSession::StoreMaker classStoreMaker(progress::ClassServer server, QWidget* parent) {
    return [server,
            parent](progress::ProgressReport report) -> std::unique_ptr<progress::ProgressStore> {
        ClassLoginDialog dialog(server, parent);
        const std::optional<ClassLoginDialog::Login> login = dialog.ask();
        if (!login) {
            return openProgressStore(progressDatabasePath(), std::move(report));
        }
        return openClassStore(server, login->login, login->password, std::move(report));
    };
}

}  // namespace lentora

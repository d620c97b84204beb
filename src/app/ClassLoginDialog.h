// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgressSession.h"
#include "progress/ClassServer.h"
#include "progress/ServerProgressStore.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lentora {

// The pupil's or teacher's login at start-up when the settings name a class server: three
// tries of a login and password, each checked off the GUI thread; then, or when the learner
// chooses so, the program goes on without a class. A server out of reach takes the login as
// given, so the lesson goes on and the results are sent when the server is back.
class ClassLoginDialog : public QDialog {
    Q_OBJECT
public:
    using Checker = std::function<progress::ServerProgressStore::LoginCheck(
        const QString& login, const QString& password, QString* message)>;

    static constexpr int kTries = 3;

    ClassLoginDialog(progress::ClassServer server, QWidget* parent = nullptr);
    // The check of a try; the server's by default (tests give their own).
    void setChecker(Checker checker) { checker_ = std::move(checker); }

    struct Login {
        QString login;
        QString password;  // kept in memory only
    };
    // Shows the dialog; the login to work with, or none to go on without a class.
    std::optional<Login> ask();
    int triesLeft() const { return triesLeft_; }

private:
    void tryLogin();

    progress::ClassServer server_;
    Checker checker_;
    QLineEdit* login_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* connect_ = nullptr;
    int triesLeft_ = kTries;
    std::optional<Login> accepted_;
};

// The store maker of a program with a [Klase] section: asks for the login, then makes the
// class store; without a login, the local store of openProgressStore().
ProgressSession::StoreMaker classStoreMaker(progress::ClassServer server, QWidget* parent);

}  // namespace lentora

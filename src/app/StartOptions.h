// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace lentora {

// What the command line asks of the program.
struct StartOptions {
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    QString courseDir;  // the program directory to run on; empty: the executable's own
    QString message;    // Fail: what is wrong with the command line
};

// `arguments` without the program's name; `environmentCourse` is LENTORA_COURSE, which the
// option --course overrides. Qt takes options of its own ("-platform offscreen"), so before
// the application exists `strict` is false and only "--" options are judged; afterwards Qt
// has removed its own and anything left over that is not ours fails.
StartOptions parseStartOptions(const QStringList& arguments, const QString& environmentCourse,
                               bool strict);

QString helpText();
QString versionText();

// What is wrong with a course directory named on the command line: it is missing or lacks
// MENIU.MNU. The texts name the directory, for the terminal and for the message box.
struct CourseProblem {
    QString terminalText;
    QString boxText;
};
std::optional<CourseProblem> courseDirectoryProblem(const QString& courseDir);

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
// lentora-class: sets up a class server (PostgreSQL) and reads it for the teacher: the schema,
// pupils' and teachers' logins, the report of grades and of attempts the server refused.

#include "ClassAdmin.h"

#include "platform/IniFile.h"
#include "progress/AttemptCsv.h"
#include "progress/ClassServer.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

using lentora::classtool::ClassAdmin;

constexpr const char* kUsage =
    "usage: lentora-class [--settings FILE] COMMAND\n"
    "\n"
    "  init                          make the schema and roles in an empty database\n"
    "  add-pupil NAME --class C      a pupil's login; prints \"LOGIN PASSWORD\" as its last line\n"
    "  add-teacher NAME --class C[,C...]  a teacher's login for those classes, printed alike\n"
    "  reset-password LOGIN          a new password, printed as \"LOGIN PASSWORD\"\n"
    "  remove-class C [--yes]        removes its pupils, their logins and attempts\n"
    "  report --class C [--csv FILE] every pupil and topic: attempts, last and best grade\n"
    "  report --pending              attempts the server refused, kept on the pupils' computers\n"
    "\n"
    "The server is found through libpq's environment (PGHOST, PGPORT, PGDATABASE, PGUSER,\n"
    "~/.pgpass or PGPASSFILE), or through the [Klase] keys (Serveris, Prievadas, DuomenuBaze) of\n"
    "the settings file given with --settings; the user and password still come from libpq.\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int failure(const QString& text) {
    std::fprintf(stderr, "lentora-class: %s\n", text.toUtf8().constData());
    return 1;
}

void print(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

// The options after the command: "--name value" pairs and flags, and the plain words.
struct Arguments {
    QStringList words;
    QStringList classes;
    QString csv;
    bool yes = false;
    bool pending = false;
    bool bad = false;
};

Arguments parse(const QStringList& list) {
    Arguments parsed;
    for (int i = 0; i < list.size(); ++i) {
        const QString& argument = list.at(i);
        if (argument == QLatin1String("--class") || argument == QLatin1String("--csv")) {
            if (i + 1 >= list.size()) {
                parsed.bad = true;
                break;
            }
            const QString value = list.at(++i);
            if (argument == QLatin1String("--class")) {
                parsed.classes += value.split(QLatin1Char(','), Qt::SkipEmptyParts);
            } else {
                parsed.csv = value;
            }
        } else if (argument == QLatin1String("--yes")) {
            parsed.yes = true;
        } else if (argument == QLatin1String("--pending")) {
            parsed.pending = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            parsed.bad = true;
        } else {
            parsed.words << argument;
        }
    }
    return parsed;
}

int report(ClassAdmin& admin, const Arguments& arguments) {
    if (arguments.pending) {
        const auto rows = admin.pending();
        if (!rows) {
            return failure(admin.failure());
        }
        print(QStringLiteral("login\tname\tattempt\ttopic\tended\treason\treported"));
        for (const auto& row : *rows) {
            print(QStringList{row.login, row.name, row.attemptId, row.topic,
                              row.ended.toString(Qt::ISODate), row.reason,
                              row.reported.toString(Qt::ISODate)}
                      .join(QLatin1Char('\t')));
        }
        return 0;
    }
    if (arguments.classes.size() != 1) {
        return usage();
    }
    const auto rows = admin.report(arguments.classes.first());
    if (!rows) {
        return failure(admin.failure());
    }
    const QStringList header{QStringLiteral("Mokinys"),
                             QStringLiteral("Prisijungimo vardas"),
                             QStringLiteral("Kursas"),
                             QStringLiteral("Tema"),
                             QStringLiteral("Atlikta kartų"),
                             QStringLiteral("Paskutinis įvertinimas"),
                             QStringLiteral("Geriausias įvertinimas"),
                             QStringLiteral("Paskutinį kartą")};
    const auto fields = [](const ClassAdmin::ReportRow& row) {
        return QStringList{row.name,
                           row.login,
                           row.courseId,
                           row.topic,
                           QString::number(row.attempts),
                           QString::number(row.lastGrade),
                           QString::number(row.bestGrade),
                           row.last.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))};
    };
    if (!arguments.csv.isEmpty()) {
        QList<QStringList> table{header};
        for (const auto& row : *rows) {
            table.append(fields(row));
        }
        const QString written =
            lentora::progress::writeCsvFile(arguments.csv, lentora::progress::csvTable(table));
        if (!written.isEmpty()) {
            return failure(written);
        }
        return 0;
    }
    print(header.join(QLatin1Char('\t')));
    for (const auto& row : *rows) {
        print(fields(row).join(QLatin1Char('\t')));
    }
    return 0;
}

int runCommand(ClassAdmin& admin, const QString& command, const Arguments& arguments) {
    if (command == QLatin1String("init")) {
        if (!arguments.words.isEmpty()) {
            return usage();
        }
        if (!admin.init()) {
            return failure(admin.failure());
        }
        print(QStringLiteral("The class schema is ready."));
        return 0;
    }
    if (command == QLatin1String("add-pupil") || command == QLatin1String("add-teacher")) {
        if (arguments.words.size() != 1 || arguments.classes.isEmpty() ||
            (command == QLatin1String("add-pupil") && arguments.classes.size() != 1)) {
            return usage();
        }
        const auto login = command == QLatin1String("add-pupil")
                               ? admin.addPupil(arguments.words.first(), arguments.classes.first())
                               : admin.addTeacher(arguments.words.first(), arguments.classes);
        if (!login) {
            return failure(admin.failure());
        }
        print(login->login + QLatin1Char(' ') + login->password);
        return 0;
    }
    if (command == QLatin1String("reset-password")) {
        if (arguments.words.size() != 1) {
            return usage();
        }
        const auto password = admin.resetPassword(arguments.words.first());
        if (!password) {
            return failure(admin.failure());
        }
        print(arguments.words.first() + QLatin1Char(' ') + *password);
        return 0;
    }
    if (command == QLatin1String("remove-class")) {
        if (arguments.words.size() != 1) {
            return usage();
        }
        const QString className = arguments.words.first();
        const auto size = admin.classSize(className);
        if (!size) {
            return failure(admin.failure());
        }
        if (!arguments.yes) {
            std::fprintf(stderr,
                         "Remove class %s with %d pupils, their logins and %d attempts? "
                         "Type \"yes\": ",
                         className.toUtf8().constData(), size->first, size->second);
            std::string answer;
            std::getline(std::cin, answer);
            if (answer != "yes") {
                return failure(QStringLiteral("nothing removed"));
            }
        }
        if (!admin.removeClass(className)) {
            return failure(admin.failure());
        }
        print(QStringLiteral("Class %1 removed: %2 pupils, %3 attempts.")
                  .arg(className)
                  .arg(size->first)
                  .arg(size->second));
        return 0;
    }
    if (command == QLatin1String("report")) {
        return report(admin, arguments);
    }
    return usage();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    lentora::progress::ClassServer server;
    if (arguments.size() >= 2 && arguments.first() == QLatin1String("--settings")) {
        const auto fromFile =
            lentora::progress::ClassServer::fromSettings(lentora::IniFile(arguments.at(1)));
        if (!fromFile) {
            return failure(arguments.at(1) + QStringLiteral(": no [Klase] section"));
        }
        server = *fromFile;
        arguments = arguments.mid(2);
    }
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help")) {
        return usage();
    }
    const QString command = arguments.takeFirst();
    const Arguments parsed = parse(arguments);
    if (parsed.bad) {
        return usage();
    }
    int status = 0;
    {
        QSqlDatabase database = server.open(QStringLiteral("lentora-class"), {}, {});
        if (!database.isOpen()) {
            status = failure(QStringLiteral("cannot connect to the server: ") +
                             lentora::progress::serverError(database));
        } else {
            ClassAdmin admin(database);
            status = runCommand(admin, command, parsed);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("lentora-class"));
    return status;
}

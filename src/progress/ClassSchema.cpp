// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ClassSchema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace lentora::progress {

namespace {

// Role names are the server's, shared by its databases, so they are made only when missing.
constexpr const char* kRoles = R"sql(
DO $$ BEGIN
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'lentora_pupil') THEN
    CREATE ROLE lentora_pupil NOLOGIN;
  END IF;
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'lentora_teacher') THEN
    CREATE ROLE lentora_teacher NOLOGIN;
  END IF;
END $$
)sql";

// Every pupil and teacher has a login role of its own; a row of `members` gives it a name of
// any length. Row-level security keeps each login to its own attempts; a teacher also reads
// the pupils of the classes in teacher_classes. Logins are made and dropped only through the
// functions below, which take their names and passwords as bound values.
constexpr const char* kStatements[] = {
    "CREATE TABLE lentora_schema (version integer NOT NULL)",
    "CREATE TABLE classes (name text PRIMARY KEY)",
    "CREATE TABLE members (id bigserial PRIMARY KEY, login text NOT NULL UNIQUE,"
    " class text REFERENCES classes (name) ON DELETE CASCADE, teacher boolean NOT NULL,"
    " display_name text NOT NULL)",
    "CREATE TABLE teacher_classes (login text NOT NULL REFERENCES members (login)"
    " ON DELETE CASCADE, class text NOT NULL REFERENCES classes (name) ON DELETE CASCADE,"
    " PRIMARY KEY (login, class))",
    "CREATE TABLE attempts (id uuid PRIMARY KEY,"
    " login text NOT NULL DEFAULT current_user REFERENCES members (login) ON DELETE CASCADE,"
    " course_id text NOT NULL, course_version text NOT NULL, menu_path text NOT NULL,"
    " menu_row_id integer NOT NULL, started timestamptz NOT NULL, ended timestamptz NOT NULL,"
    " score integer NOT NULL, max_score integer NOT NULL CHECK (max_score >= 0),"
    " grade integer NOT NULL CHECK (grade BETWEEN 0 AND 10), incomplete boolean NOT NULL,"
    " exercises jsonb NOT NULL, received timestamptz NOT NULL DEFAULT now())",
    "CREATE INDEX attempts_by_login ON attempts (login, course_id, ended)",
    // What the server refused, told by the pupil's program; the attempt stays in its queue.
    "CREATE TABLE refused (id uuid NOT NULL,"
    " login text NOT NULL DEFAULT current_user REFERENCES members (login) ON DELETE CASCADE,"
    " menu_path text NOT NULL, ended timestamptz, reason text NOT NULL,"
    " reported timestamptz NOT NULL DEFAULT now(), PRIMARY KEY (login, id))",
    "GRANT SELECT ON lentora_schema, members, teacher_classes TO lentora_pupil, lentora_teacher",
    "GRANT SELECT, INSERT ON attempts, refused TO lentora_pupil, lentora_teacher",
    "ALTER TABLE members ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE teacher_classes ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE attempts ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE refused ENABLE ROW LEVEL SECURITY",
    "CREATE POLICY own ON members FOR SELECT USING (login = current_user)",
    "CREATE POLICY own ON teacher_classes FOR SELECT USING (login = current_user)",
    "CREATE POLICY taught ON members FOR SELECT TO lentora_teacher USING (class IN"
    " (SELECT t.class FROM teacher_classes t WHERE t.login = current_user))",
    "CREATE POLICY own_read ON attempts FOR SELECT USING (login = current_user)",
    "CREATE POLICY own_write ON attempts FOR INSERT WITH CHECK (login = current_user)",
    "CREATE POLICY taught ON attempts FOR SELECT TO lentora_teacher USING (login IN"
    " (SELECT m.login FROM members m))",
    "CREATE POLICY own_read ON refused FOR SELECT USING (login = current_user)",
    "CREATE POLICY own_write ON refused FOR INSERT WITH CHECK (login = current_user)",
    "CREATE POLICY taught ON refused FOR SELECT TO lentora_teacher USING (login IN"
    " (SELECT m.login FROM members m))",
    R"sql(CREATE FUNCTION lentora_create_login(login text, password text, pupil boolean)
RETURNS void LANGUAGE plpgsql AS $$ BEGIN
  EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I', login, password,
                 CASE WHEN pupil THEN 'lentora_pupil' ELSE 'lentora_teacher' END);
END $$)sql",
    R"sql(CREATE FUNCTION lentora_set_password(login text, password text)
RETURNS void LANGUAGE plpgsql AS $$ BEGIN
  EXECUTE format('ALTER ROLE %I PASSWORD %L', login, password);
END $$)sql",
    R"sql(CREATE FUNCTION lentora_drop_login(login text)
RETURNS void LANGUAGE plpgsql AS $$ BEGIN
  EXECUTE format('DROP ROLE IF EXISTS %I', login);
END $$)sql",
    "REVOKE EXECUTE ON FUNCTION lentora_create_login(text, text, boolean),"
    " lentora_set_password(text, text), lentora_drop_login(text) FROM PUBLIC",
};

}  // namespace

QString ClassSchema::create(QSqlDatabase& database) {
    if (version(database)) {
        return QStringLiteral("the database already holds a class schema");
    }
    if (!database.transaction()) {
        return database.lastError().text();
    }
    QSqlQuery query(database);
    const auto fail = [&]() {
        const QString text = query.lastError().databaseText();
        database.rollback();
        return text;
    };
    if (!query.exec(QString::fromUtf8(kRoles))) {
        return fail();
    }
    for (const char* statement : kStatements) {
        if (!query.exec(QString::fromUtf8(statement))) {
            return fail();
        }
    }
    query.prepare(QStringLiteral("INSERT INTO lentora_schema (version) VALUES (?)"));
    query.addBindValue(kVersion);
    if (!query.exec()) {
        return fail();
    }
    if (!database.commit()) {
        return database.lastError().text();
    }
    return {};
}

std::optional<int> ClassSchema::version(QSqlDatabase& database) {
    QSqlQuery query(database);
    // to_regclass answers without an error when the table is missing.
    if (!query.exec(QStringLiteral("SELECT to_regclass('lentora_schema') IS NOT NULL")) ||
        !query.next() || !query.value(0).toBool()) {
        return std::nullopt;
    }
    if (!query.exec(QStringLiteral("SELECT max(version) FROM lentora_schema")) || !query.next() ||
        query.value(0).isNull()) {
        return std::nullopt;
    }
    return query.value(0).toInt();
}

QString ClassSchema::checkUsable(QSqlDatabase& database) {
    const std::optional<int> found = version(database);
    if (!found) {
        return QStringLiteral("Klasės serverio duomenų bazė neparuošta (lentora-class init).");
    }
    if (*found > kVersion) {
        return QStringLiteral(
                   "Klasės serverio duomenų bazė yra naujesnės programos versijos (%1, ši programa "
                   "– %2). Rezultatai į ją nerašomi; atnaujinkite programą.")
            .arg(*found)
            .arg(kVersion);
    }
    return {};
}

}  // namespace lentora::progress

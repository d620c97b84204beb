// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/DataPacket.h"

#include <QString>

#include <vector>

namespace lentora::content {

// One content table: its file under the program directory, its fields as the course writes
// them (name, type, width) and its key (0-based field positions).
struct TableSchema {
    QString file;
    std::vector<FieldDef> fields;
    std::vector<int> keyFields;

    // The layout with no rows, ready for rows in field order.
    TableData emptyTable() const { return {fields, keyFields, {}}; }
};

// Field names, as the windows read them.
struct MenuFields {
    static constexpr const char* id = "Id";
    static constexpr const char* hint = "Hint";
    static constexpr const char* visible = "Matomas";
    static constexpr const char* enabled = "Pasiekiamas";
    static constexpr const char* commands = "Komandos";
};

struct MovableWordsFields {
    static constexpr const char* id = "Id";
    static constexpr const char* task = "Uzduotis";
    static constexpr const char* sentences = "Sakiniai";
    static constexpr const char* words = "Zodziai";
    static constexpr const char* width = "Ilgis";
    static constexpr const char* height = "Aukstis";
    static constexpr const char* windowWidth = "LangIlgis";
    static constexpr const char* type = "Tipas";
};

struct TheoryFields {
    static constexpr const char* id = "Id";
    static constexpr const char* text = "Teorija";
};

struct TestWindowFields {
    static constexpr const char* testId = "TestoId";
    static constexpr const char* width = "LangIlg";
    static constexpr const char* height = "LangAukst";
    static constexpr const char* caption = "LangCaption";
};

struct QuestionFields {
    static constexpr const char* testId = "TestoID";
    static constexpr const char* questionId = "KlausimoID";
    static constexpr const char* x = "X";
    static constexpr const char* y = "Y";
    static constexpr const char* width = "Ilgis";
    static constexpr const char* height = "Aukstis";
    static constexpr const char* question = "Klausimas";
    static constexpr const char* kind = "Tipas";
};

struct AnswerFields {
    static constexpr const char* testId = "TestoID";
    static constexpr const char* questionId = "KlausimoID";
    static constexpr const char* answerId = "AtsakymoID";
    static constexpr const char* answer = "Atsakymas";
    static constexpr const char* correct = "Teisingas";
    static constexpr const char* x = "X";
    static constexpr const char* y = "Y";
};

// The first three fields are read by position (1 to 3), so their names are free.
struct MarkedWordsFields {
    static constexpr int recordPosition = 1;
    static constexpr int captionPosition = 2;
    static constexpr int headingPosition = 3;
    static constexpr const char* id = "Id";
    static constexpr const char* caption = "Antraste";
    static constexpr const char* heading = "Pavadinimas";
    static constexpr const char* text = "Tekstas";
    static constexpr const char* marks = "PabrIsbr";
    static constexpr const char* windowHeight = "Lango aukstis";
    static constexpr const char* windowWidth = "Lango ilgis";
};

const TableSchema& menuSchema();          // Data/Meniu.cds
const TableSchema& movableWordsSchema();  // Data/Nesioj.cds
const TableSchema& theorySchema();        // Data/Teorija.cds
const TableSchema& testWindowSchema();    // Data/TestLang.cds
const TableSchema& questionSchema();      // Data/PaprTest.cds
const TableSchema& answerSchema();        // Data/PaprAtsa.cds
const TableSchema& markedWordsSchema();   // Data/TestPabr.cds

}  // namespace lentora::content

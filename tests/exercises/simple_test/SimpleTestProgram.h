// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A temporary program directory with small simple-test tables, the background and the arrow
// pictures, and helpers that drive a shown test window.

#include "content/DataPacket.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "exercises/simple_test/TPaprTestForma.h"
#include "platform/CodePage1257.h"
#include "support/TempProgramDir.h"
#include "support/WhenShown.h"

#include <QImage>
#include <QRect>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace lentora::simple_test_support {

using content::flagField;
using content::memoField;
using content::numberField;
using content::TableData;
using content::textField;

inline content::Value cp(const char* utf8) {
    return toCp1257(QString::fromUtf8(utf8));
}

inline const char* const kRadio = "Pasirenkamasis mygtukas";
inline const char* const kCheck = "Žymimasis laukelis";

// A program directory with small test tables and the background; the arrow comes with the
// program.
class TestProgram {
public:
    TestProgram() {
        tests = content::testWindowSchema().emptyTable();
        questions = content::questionSchema().emptyTable();
        answers = content::answerSchema().emptyTable();

        QImage background(300, 200, QImage::Format_RGB32);
        background.fill(QColor(10, 20, 30));
        dir.makeDir("Testai/Papr");
        background.save(dir.filePath("Testai/Papr/FONAS.BMP"), "BMP");
    }

    void addTest(int id, double width, double height, const char* caption) {
        tests.rows.push_back({double(id), width, height, cp(caption)});
    }
    void addQuestion(int test, int question, QRect box, const char* textUtf8, const char* kind) {
        questions.rows.push_back({double(test), double(question), double(box.x()), double(box.y()),
                                  double(box.width()), double(box.height()), cp(textUtf8),
                                  cp(kind)});
    }
    void addAnswer(int test, int question, int answer, const char* textUtf8, bool right,
                   QPoint at) {
        answers.rows.push_back({double(test), double(question), double(answer), cp(textUtf8), right,
                                double(at.x()), double(at.y())});
    }
    void write() {
        dir.writeFile(content::testWindowSchema().file, content::writeDataPacket(tests));
        dir.writeFile(content::questionSchema().file, content::writeDataPacket(questions));
        dir.writeFile(content::answerSchema().file, content::writeDataPacket(answers));
    }

    testing::TempProgramDir dir;
    TableData tests, questions, answers;
};

inline void whenShown(TPaprTestForma& form, std::function<void()> action) {
    testing::whenShown(form, std::move(action), [&form] { emit form.button()->OnClick(); });
}

inline void pressArrow(TPictureButton* button) {
    // A button just shown ignores presses for a moment.
    EXPECT_TRUE(QTest::qWaitFor([button] { return button->takesPresses(); }));
    for (int y = 0; y < button->height(); ++y) {
        for (int x = 0; x < button->width(); ++x) {
            if (button->HitTest({x, y})) {
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(x, y));
                return;
            }
        }
    }
    ADD_FAILURE() << "the arrow has no opaque point";
}

}  // namespace lentora::simple_test_support

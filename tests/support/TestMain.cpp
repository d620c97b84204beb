// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Every test program runs with a QApplication, headless unless the caller chose a platform.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // A learner's progress written by a test never reaches the user's own database.
    QStandardPaths::setTestModeEnabled(true);
    // Picture buttons ignore presses for this long after they show; keep the waits short.
    QApplication::setDoubleClickInterval(150);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

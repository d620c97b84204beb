// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace lentora::testing {

// A key that presses a picture button is ignored within the double-click interval after the
// button shows; tests that press at once shorten the interval for their run.
class ShortDoubleClickInterval {
public:
    ShortDoubleClickInterval() { QApplication::setDoubleClickInterval(1); }
    ~ShortDoubleClickInterval() { QApplication::setDoubleClickInterval(saved_); }

private:
    int saved_ = QApplication::doubleClickInterval();
};

// Runs `action` once the window is shown; calls `leave` afterwards should the action not have
// closed the window, so a failing test cannot hang.
inline void whenShown(QWidget& window, std::function<void()> action, std::function<void()> leave) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, action, leave] {
        if (!window.isVisible()) {
            return;
        }
        poll->stop();
        action();
        QTimer::singleShot(3000, &window, [&window, leave] {
            if (window.isVisible()) {
                ADD_FAILURE() << "the window was still open";
                leave();
            }
        });
    });
    poll->start(5);
}

}  // namespace lentora::testing

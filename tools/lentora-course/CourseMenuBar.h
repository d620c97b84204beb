// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's menu bar: the course's top-level captions and the program's own menu must
// fit the window's 600 px client width, or the last entries wrap onto a second row.

#include "CourseCheck.h"

#include <QFont>

#include <vector>

namespace lentora::course {

inline constexpr int kMainClientWidth = 600;

// The width the menu bar takes for these captions (with "&"), laid out as the Fusion style lays
// out a menu bar, at `font`.
int menuBarWidth(const std::vector<QString>& captions, const QFont& font);

void checkMenuBarWidth(const QString& programDir, CheckReport& report);

}  // namespace lentora::course

// SPDX-License-Identifier: GPL-3.0-or-later
#include "CourseMenuBar.h"

#include "CourseTexts.h"

#include "platform/Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>

namespace lentora::course {

namespace {

// The Fusion style's menu bar: each item's text plus 8 px of padding, 6 px between items.
constexpr int kItemPadding = 8;
constexpr int kItemSpacing = 6;
// What the bar's size hint adds around its items (one more item spacing).
constexpr int kBarExtra = 6;

const QString kProgramMenu = QStringLiteral("&Programa");

}  // namespace

int menuBarWidth(const std::vector<QString>& captions, const QFont& font) {
    const QFontMetrics metrics(font);
    int width = kBarExtra;
    for (const QString& caption : captions) {
        if (width > kBarExtra) {
            width += kItemSpacing;
        }
        width += metrics.size(Qt::TextShowMnemonic, caption).width() + kItemPadding;
    }
    return width;
}

void checkMenuBarWidth(const QString& programDir, CheckReport& report) {
    std::vector<QString> captions = readCourseTexts(programDir).topMenuCaptions;
    if (captions.empty()) {
        return;
    }
    captions.push_back(kProgramMenu);
    // The menu bar keeps the system's font: "MS Sans Serif" 8 pt where the course was made, the
    // platform's own font here; the wider of the two must fit.
    const QFont courseFont = makeFont(QStringLiteral("MS Sans Serif"), 8);
    const QFont systemFont = QGuiApplication::font();
    const int width =
        std::max(menuBarWidth(captions, courseFont), menuBarWidth(captions, systemFont));
    report.notes.push_back(
        QStringLiteral("menu bar: %1 px at \"MS Sans Serif\" 8 pt (%2), %3 px at "
                       "the system font (%4 %5 px); the window has %6 px")
            .arg(menuBarWidth(captions, courseFont))
            .arg(QFontInfo(courseFont).family())
            .arg(menuBarWidth(captions, systemFont))
            .arg(QFontInfo(systemFont).family())
            .arg(QFontInfo(systemFont).pixelSize())
            .arg(kMainClientWidth));
    if (width > kMainClientWidth) {
        report.findings.push_back(
            {Severity::Error,
             QStringLiteral("MENIU.MNU"),
             {},
             QStringLiteral("the menu bar with \"%1\" is %2 px wide, wider than the main "
                            "window's %3 px; shorten the top-level captions")
                 .arg(kProgramMenu)
                 .arg(width)
                 .arg(kMainClientWidth)});
    }
}

}  // namespace lentora::course

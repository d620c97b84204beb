// The checker's spelling, pattern and menu bar rules, and the builder's option shuffling.
#include "CourseBuilder.h"
#include "CourseCheck.h"
#include "CourseMenuBar.h"

#include "platform/Fonts.h"

#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>

namespace lentora::course {
namespace {

TEST(CourseMenuBarTest, WidthMatchesAFusionMenuBar) {
    const std::vector<QString> captions = {
        QStringLiteral("&Fonetika ir rašyba"), QStringLiteral("&Morfologija"),
        QStringLiteral("&Sintaksė ir skyryba"), QStringLiteral("&Kartojimas"),
        QStringLiteral("&Programa")};
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QFont& font : {makeFont(QStringLiteral("MS Sans Serif"), 8), QFont()}) {
        QMenuBar bar;
        bar.setStyle(fusion.get());
        bar.setFont(font);
        for (const QString& caption : captions) {
            bar.addMenu(caption);
        }
        bar.resize(2000, 30);
        EXPECT_NEAR(menuBarWidth(captions, font), bar.sizeHint().width(), 3)
            << qPrintable(font.family());
    }
}

}  // namespace
}  // namespace lentora::course

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string_view>

namespace lentora {
namespace {

TEST(Translations, StandardButtonsSpeakLithuanianAndOtherTextsAreLeftToQt) {
    StandardButtonTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                         QDialogButtonBox::No | QDialogButtonBox::Close);
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QString::fromUtf8("Gerai"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("Atsisakyti"));
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QString::fromUtf8("Taip"));
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text(), QString::fromUtf8("Ne"));
    EXPECT_EQ(box.button(QDialogButtonBox::Close)->text(), QString::fromUtf8("Uždaryti"));
    EXPECT_TRUE(translator.translate("QFontDialog", "&Font", nullptr, -1).isEmpty());
    QCoreApplication::removeTranslator(&translator);
}

// Stands for a catalogue that words the keys in Lithuanian, as Qt's does.
struct LithuanianKeyNames : QTranslator {
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (std::string_view(context) != "QShortcut") {
            return {};
        }
        return std::string_view(sourceText) == "Ctrl"  ? QStringLiteral("Vald")
               : std::string_view(sourceText) == "Esc" ? QStringLiteral("Gr")
                                                       : QString();
    }
};

TEST(Translations, KeysKeepTheNamesPrintedOnThemOverATranslatedCatalogue) {
    LithuanianKeyNames catalogue;
    KeyNameTranslator keyNames;
    QCoreApplication::installTranslator(&catalogue);
    QCoreApplication::installTranslator(&keyNames);
    for (const char* key : {"Ctrl+P", "Ctrl+S", "Esc", "Alt+F4"}) {
        EXPECT_EQ(QKeySequence(QString::fromLatin1(key)).toString(QKeySequence::NativeText),
                  QString::fromLatin1(key));
    }
    QCoreApplication::removeTranslator(&keyNames);
    EXPECT_EQ(QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText), "Gr");
    QCoreApplication::removeTranslator(&catalogue);
}

}  // namespace
}  // namespace lentora

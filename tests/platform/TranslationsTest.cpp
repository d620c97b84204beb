#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lentora

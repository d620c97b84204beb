// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstring>

namespace lentora {

QString StandardButtonTranslator::translate(const char* context, const char* sourceText,
                                            const char*, int) const {
    // The platform themes word the standard buttons in these contexts, with or without an
    // accelerator.
    if (!context || !sourceText ||
        (std::strcmp(context, "QPlatformTheme") != 0 && std::strcmp(context, "QGnomeTheme") != 0 &&
         std::strcmp(context, "QDialogButtonBox") != 0 &&
         std::strcmp(context, "QMessageBox") != 0)) {
        return {};
    }
    struct Text {
        const char* english;
        const char* lithuanian;
    };
    static constexpr Text kTexts[] = {
        {"OK", "Gerai"},
        {"&OK", "Gerai"},
        {"Cancel", "Atsisakyti"},
        {"&Cancel", "Atsisakyti"},
        {"Yes", "Taip"},
        {"&Yes", "Taip"},
        {"No", "Ne"},
        {"&No", "Ne"},
        {"Close", "Uždaryti"},
        {"&Close", "Uždaryti"},
    };
    for (const Text& text : kTexts) {
        if (std::strcmp(sourceText, text.english) == 0) {
            return QString::fromUtf8(text.lithuanian);
        }
    }
    return {};
}

QString KeyNameTranslator::translate(const char* context, const char* sourceText, const char*,
                                     int) const {
    // Qt names keys and modifiers in this context.
    if (!context || !sourceText || std::strcmp(context, "QShortcut") != 0) {
        return {};
    }
    return QString::fromLatin1(sourceText);
}

void installLithuanianTranslations() {
    auto* application = QCoreApplication::instance();
    if (!application) {
        return;
    }
    // All live as long as the application.
    auto* qtCatalogue = new QTranslator(application);
    if (qtCatalogue->load(QStringLiteral("qt_lt"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtCatalogue);
    } else {
        delete qtCatalogue;
    }
    QCoreApplication::installTranslator(new StandardButtonTranslator(application));
    QCoreApplication::installTranslator(new KeyNameTranslator(application));
}

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>

namespace lentora {

// The program's own Lithuanian texts of the standard buttons of message boxes and dialogs,
// which Qt's catalogue lacks or words otherwise.
class StandardButtonTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

// Key names as they are printed on the keys ("Ctrl+P", "Esc", "Alt+F4"), whatever catalogue
// is loaded: menus show shortcuts in these words rather than in a translation of them.
class KeyNameTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

// Installs Qt's Lithuanian catalogue when it is installed (the program runs in English
// without it), then the program's own button texts and the key names, which take precedence.
void installLithuanianTranslations();

}  // namespace lentora

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

// Installs Qt's Lithuanian catalogue when it is installed (the program runs in English
// without it), then the program's own button texts, which take precedence.
void installLithuanianTranslations();

}  // namespace lentora

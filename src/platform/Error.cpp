// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Error.h"

#include "platform/Services.h"

namespace lentora {

QString withFullStop(const QString& text) {
    if (text.endsWith(QLatin1Char('.'))) {
        return text;
    }
    return text + QLatin1Char('.');
}

void reportError(const QString& text) {
    services().messages->showError(withFullStop(text));
}

}  // namespace lentora

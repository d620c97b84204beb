#pragma once

#include <QString>

namespace lentora::content {

// An exercise captioned exactly "Testas" is shown as "Pratimas"; every other caption unchanged.
inline QString exerciseCaption(const QString& caption) {
    return caption == QStringLiteral("Testas") ? QStringLiteral("Pratimas") : caption;
}

}  // namespace lentora::content

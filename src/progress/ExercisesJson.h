// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace lentora::progress {

// An attempt's exercises as one JSON array, the way a class server keeps them: every field of
// each exercise and item; the kind's snapshot in base64, since it is opaque bytes.
QByteArray exercisesToJson(const std::vector<content::ExerciseResult>& exercises);
// None when the text is not such an array (an unknown kind included).
std::optional<std::vector<content::ExerciseResult>> exercisesFromJson(const QByteArray& json);

}  // namespace lentora::progress

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/Points.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

namespace lentora::simple_test {

// One answer control when the test ends.
struct AnswerEntry {
    bool checked = false;
    bool correct = false;  // Teisingas
    bool isRadio = false;
};

using content::Points;

// Every right answer is worth a point; a ticked wrong check box costs one, a selected wrong
// radio button costs nothing.
Points scoreAnswers(const std::vector<AnswerEntry>& entries);

// Radio buttons only for exactly this kind, compared byte for byte; anything else is check boxes.
bool isRadioKind(QByteArrayView tipas);

}  // namespace lentora::simple_test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/SimpleTestLogic.h"

namespace lentora::simple_test {

Points scoreAnswers(const std::vector<AnswerEntry>& entries) {
    Points points;
    for (const AnswerEntry& entry : entries) {
        if (entry.isRadio) {
            if (entry.correct) {
                ++points.maxScore;
                if (entry.checked) {
                    ++points.score;
                }
            }
            continue;
        }
        if (entry.checked) {
            points.score += entry.correct ? 1 : -1;
        }
        if (entry.correct) {
            ++points.maxScore;
        }
    }
    return points;
}

bool isRadioKind(QByteArrayView tipas) {
    return tipas == QByteArrayView("Pasirenkamasis mygtukas");
}

}  // namespace lentora::simple_test

#include "exercises/simple_test/SimpleTestLogic.h"

#include "platform/FrameMetrics.h"

#include <QPoint>

#include <algorithm>
#include <cmath>

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

int clampedInt(double value, int low, int high) {
    if (std::isnan(value)) {
        return low;
    }
    return static_cast<int>(std::clamp(std::trunc(value), double(low), double(high)));
}

QSize clientSizeForTest(int outerWidth, int outerHeight, QSize buttonSize) {
    const QSize client = clientSizeForOuter(QSize(outerWidth, outerHeight));
    return {std::max(client.width(), buttonSize.width()),
            std::max(client.height(), buttonSize.height())};
}

QPoint buttonPosition(int outerWidth, int outerHeight, QSize buttonSize, QSize clientSize) {
    const int left = outerWidth - buttonSize.width() - 15;
    const int top = outerHeight - buttonSize.height() - 30;
    return {std::clamp(left, 0, std::max(0, clientSize.width() - buttonSize.width())),
            std::clamp(top, 0, std::max(0, clientSize.height() - buttonSize.height()))};
}

}  // namespace lentora::simple_test

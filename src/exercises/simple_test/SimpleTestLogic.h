#pragma once

#include <QByteArrayView>
#include <QPoint>
#include <QSize>
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

struct Points {
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
};

// Every right answer is worth a point; a ticked wrong check box costs one, a selected wrong
// radio button costs nothing.
Points scoreAnswers(const std::vector<AnswerEntry>& entries);

// Radio buttons only for exactly this kind, compared byte for byte; anything else is check boxes.
bool isRadioKind(QByteArrayView tipas);

// "Testas" is shown as "Pratimas"; every other caption unchanged.
QString windowCaption(const QString& langCaption);

// A number from the content as a whole number within [low, high] (NaN gives low).
int clampedInt(double value, int low, int high);

// Content sizes beyond this are cut to it. The window itself never exceeds the screen; a
// larger content scrolls.
inline constexpr int kMaxExtent = 65535;

// The client size for the content's outer size, never smaller than the button so the
// learner can always reach it.
QSize clientSizeForTest(int outerWidth, int outerHeight, QSize buttonSize);

// The button's place in client coordinates: right and bottom margins from the outer size,
// kept inside the client area.
QPoint buttonPosition(int outerWidth, int outerHeight, QSize buttonSize, QSize clientSize);

}  // namespace lentora::simple_test

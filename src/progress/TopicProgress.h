// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

namespace lentora::progress {

// One menu entry's attempts folded into what the progress window, the menu's check marks and a
// teacher's report show of it.
struct TopicProgress {
    std::int32_t menuRowId = 0;
    QString menuPath;  // as the latest attempt named it
    int attempts = 0;
    int lastGrade = 0;  // of the latest attempt; 0 when it gave none
    int bestGrade = 0;
    QDateTime lastDate;  // when the latest attempt ended (began, when it has no end)
    friend bool operator==(const TopicProgress&, const TopicProgress&) = default;
};

// One row per menu row id, ordered by it. The latest attempt is the one that ended last; of
// two that ended at once, the later in the list.
std::vector<TopicProgress> topicProgress(const std::vector<AttemptSummary>& attempts);

}  // namespace lentora::progress

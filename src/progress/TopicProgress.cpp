// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/TopicProgress.h"

#include <algorithm>
#include <map>

namespace lentora::progress {

std::vector<TopicProgress> topicProgress(const std::vector<AttemptSummary>& attempts) {
    std::map<std::int32_t, TopicProgress> topics;
    for (const AttemptSummary& attempt : attempts) {
        const QDateTime date = attempt.ended.isValid() ? attempt.ended : attempt.started;
        TopicProgress& topic = topics[attempt.menuRowId];
        const bool latest =
            topic.attempts == 0 || !topic.lastDate.isValid() ||
            (date.isValid() && date.toMSecsSinceEpoch() >= topic.lastDate.toMSecsSinceEpoch());
        topic.menuRowId = attempt.menuRowId;
        topic.bestGrade =
            topic.attempts == 0 ? attempt.grade : std::max(topic.bestGrade, attempt.grade);
        ++topic.attempts;
        if (latest) {
            topic.menuPath = attempt.menuPath;
            topic.lastGrade = attempt.grade;
            topic.lastDate = date;
        }
    }
    std::vector<TopicProgress> rows;
    rows.reserve(topics.size());
    for (auto& [id, topic] : topics) {
        rows.push_back(std::move(topic));
    }
    return rows;
}

}  // namespace lentora::progress

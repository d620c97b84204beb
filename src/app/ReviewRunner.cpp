// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ReviewRunner.h"

#include "platform/Error.h"
#include "platform/Services.h"

namespace lentora {

namespace {

QString kindWords(content::ExerciseKind kind) {
    switch (kind) {
        case content::ExerciseKind::SimpleTest:
            return QStringLiteral("Paprastas pratimas");
        case content::ExerciseKind::GapFilling:
        case content::ExerciseKind::Sorting:
            return QString::fromUtf8("Kilnojamų žodžių pratimas");
        case content::ExerciseKind::MarkedWords:
            return QString::fromUtf8("Pratimas su pabraukiamais/išbraukiamais žodžiais");
    }
    return {};
}

}  // namespace

bool canReview(const std::vector<content::ExerciseResult>& exercises) {
    return !exercises.empty();
}

QString skippedExercisesText(const std::vector<content::ExerciseResult>& exercises) {
    QStringList lines;
    for (const content::ExerciseResult& exercise : exercises) {
        if (exercise.skipped) {
            lines.append(QString::fromUtf8("Bandymas neužbaigtas: „%1“ Nr. %2 praleistas, nes "
                                           "nepavyko perskaityti jo lentelės.")
                             .arg(kindWords(exercise.kind))
                             .arg(exercise.record));
        }
    }
    return lines.join(u'\n');
}

void runReview(const std::vector<content::ExerciseResult>& exercises, const WindowFactory& factory,
               QWidget* parent) {
    const QString skipped = skippedExercisesText(exercises);
    if (!skipped.isEmpty()) {
        services().messages->showMessage(QString::fromUtf8("Klaidų peržiūra"), skipped);
    }
    std::vector<std::pair<const content::ExerciseResult*, const ReviewCreator*>> shown;
    for (const content::ExerciseResult& exercise : exercises) {
        const ReviewCreator* review = exercise.skipped ? nullptr : factory.review(exercise.kind);
        if (review) {
            shown.emplace_back(&exercise, review);
        }
    }
    std::size_t at = 0;
    while (at < shown.size()) {
        ReviewStep step = ReviewStep::Close;
        // A window that fails is told and ends the review; the learning goes on.
        if (!guarded([&] { step = (*shown[at].second)(*shown[at].first, parent); })) {
            return;
        }
        switch (step) {
            case ReviewStep::Next:
                ++at;
                break;
            case ReviewStep::Previous:
                at = at == 0 ? 0 : at - 1;
                break;
            case ReviewStep::Close:
                return;
        }
    }
}

}  // namespace lentora

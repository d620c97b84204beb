// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Grade.h"

#include "app/TIvertinimoForma.h"
#include "content/Grades.h"
#include "platform/Error.h"
#include "platform/FileListing.h"
#include "platform/ProgramPaths.h"
#include "platform/Services.h"

#include <algorithm>

namespace lentora {

namespace {

// A grade's file of the pattern, 1 to 10 steps into the listing; empty when there is none.
QString pickRewardFile(const QString& ivertDir, int grade, const QString& pattern) {
    return pickRandomFilePath(gradeDirectory(ivertDir, grade), pattern, randomBelow(10) + 1);
}

}  // namespace

QString gradeCaption(int grade) {
    return content::gradeWords(grade) + QString::fromUtf8("   Įvertinimas - ") +
           QString::number(grade) + QString::fromUtf8(grade == 10 ? " balų" : " balai") + u'.';
}

QSize gradeWindowOuterSize(int grade) {
    return content::gradePictureSize(grade) + QSize(12, 30);
}

QString gradeDirectory(const QString& ivertDir, int grade) {
    return resolvePath(joinPath(ivertDir, QString::number(grade))) + u'/';
}

QString pickGradePicture(const QString& ivertDir, int grade) {
    return pickRewardFile(ivertDir, grade, QStringLiteral("*.bmp"));
}

QString pickGradeSound(const QString& ivertDir, int grade) {
    return pickRewardFile(ivertDir, grade, QStringLiteral("*.WAV"));
}

void PlayGradeSound(int grade) {
    const QString sound = pickGradeSound(programPaths().ivertDir, grade);
    if (!sound.isEmpty()) {
        services().sound->playAsync(sound);
    }
}

void ShowGrade(int grade, QWidget* parent, std::optional<content::Points> points,
               const std::function<void()>& openReview) {
    const QString picture = pickGradePicture(programPaths().ivertDir, grade);
    if (picture.isEmpty()) {
        // The grade is still shown, by its caption.
        reportError(QStringLiteral("Cannot find any picture in %1")
                        .arg(gradeDirectory(programPaths().ivertDir, grade)));
    }
    bool review = false;
    {
        TIvertinimoForma window(parent);
        if (points) {
            window.setPoints(*points, bool(openReview));
        }
        window.ShowGradeWindow(picture, gradeCaption(grade), grade);
        review = window.reviewRequested();
    }
    if (review && openReview) {
        openReview();
    }
}

}  // namespace lentora

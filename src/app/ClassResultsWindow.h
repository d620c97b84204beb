// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"
#include "progress/ClassConnection.h"

#include <QDialog>

#include <functional>
#include <vector>

class QChartView;
class QLineSeries;
class QTableWidget;

namespace lentora {

namespace progress {
class ServerProgressStore;
}

// The CSV of a class: UTF-8 with a byte order mark, ';' between fields, a header row, one line
// per pupil and topic with attempts.
QByteArray classResultsCsv(const std::vector<progress::ClassConnection::PupilResults>& pupils);

// "Klasės rezultatai", for a teacher: the pupils of their classes by topic, each cell the last
// grade coloured by it (the best and the count in its tooltip); the chart of the progress
// window for the chosen pupil; a double click opens the pupil's latest attempt of that topic
// for review; "Eksportuoti…" writes the table as CSV.
class ClassResultsWindow : public QDialog {
    Q_OBJECT
public:
    ClassResultsWindow(progress::ServerProgressStore& store, const QString& courseId,
                       QWidget* parent = nullptr);

    using ReviewOpener = std::function<void(const std::vector<content::ExerciseResult>&)>;
    void setReviewOpener(ReviewOpener opener) { openReview_ = std::move(opener); }
    void setExportPathChooser(std::function<QString()> chooser) {
        chooseExportPath_ = std::move(chooser);
    }

    QTableWidget* grid() const { return grid_; }
    QChartView* chartView() const { return chartView_; }
    void showPupil(int row);
    void openCell(int row, int column);
    void exportResults();

private:
    progress::ServerProgressStore& store_;
    std::vector<progress::ClassConnection::PupilResults> pupils_;
    std::vector<std::int32_t> topicIds_;  // the grid's columns
    QTableWidget* grid_;
    QChartView* chartView_;
    QLineSeries* series_;
    ReviewOpener openReview_;
    std::function<QString()> chooseExportPath_;
};

// The colour of a grade's cell: red below 5, orange to 6, yellow to 8, green for 9 and 10.
QColor gradeColour(int grade);

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"
#include "progress/Attempt.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QChartView;
class QComboBox;
class QTableView;
class QLineSeries;

namespace lentora {

class ProgressSession;
class AttemptTableModel;
class TopicTableModel;

// The attempts as CSV for a spreadsheet: UTF-8 with a byte order mark, ';' between fields, a
// header row, one attempt a line.
QByteArray attemptsCsv(const QString& learnerName,
                       const std::vector<progress::AttemptSummary>& attempts);

// "Mano pažanga": the current learner's topics with their last and best grade and date, the
// attempts of one topic or all, with a chart of their grades over time. A double click on an
// attempt opens its review; "Eksportuoti…" writes the attempts as CSV.
class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    ProgressWindow(ProgressSession& session, QWidget* parent = nullptr);
    ~ProgressWindow() override;

    using ReviewOpener = std::function<void(const std::vector<content::ExerciseResult>&)>;
    void setReviewOpener(ReviewOpener opener) { openReview_ = std::move(opener); }
    // Where "Eksportuoti…" writes; by default a file dialog. Empty: nothing is written.
    void setExportPathChooser(std::function<QString()> chooser) {
        chooseExportPath_ = std::move(chooser);
    }

    // Shows one topic's attempts (by its menu row id) or, with 0, all of them.
    void showTopic(std::int32_t menuRowId);
    void exportAttempts();
    void openAttempt(int row);

    QTableView* topicsView() const { return topicsView_; }
    QTableView* attemptsView() const { return attemptsView_; }
    QComboBox* topicChoice() const { return topicChoice_; }
    QChartView* chartView() const { return chartView_; }
    int chartPoints() const;

private:
    ProgressSession& session_;
    QString learnerName_;
    std::vector<progress::AttemptSummary> all_;
    std::vector<progress::AttemptSummary> shown_;
    TopicTableModel* topics_;
    AttemptTableModel* attempts_;
    QComboBox* topicChoice_;
    QTableView* topicsView_;
    QTableView* attemptsView_;
    QChartView* chartView_;
    QLineSeries* series_;
    ReviewOpener openReview_;
    std::function<QString()> chooseExportPath_;
};

// The chart of grades over time alone, for what it paints.
QChartView* makeGradeChart(QWidget* parent, QLineSeries** series);
void setGradePoints(QChartView* chart, QLineSeries* series,
                    const std::vector<progress::AttemptSummary>& attempts);

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClassResultsWindow.h"

#include "app/ProgressWindow.h"
#include "controls/HelpTopic.h"
#include "platform/Error.h"
#include "platform/Services.h"
#include "progress/AttemptCsv.h"
#include "progress/ServerProgressStore.h"
#include "progress/TopicProgress.h"

#include <QChartView>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <map>

namespace lentora {

namespace {

constexpr int kClassHelpTopic = 11;

}  // namespace

QColor gradeColour(int grade) {
    if (grade >= 9) {
        return QColor(0x9c, 0xe0, 0x9c);
    }
    if (grade >= 7) {
        return QColor(0xf0, 0xe6, 0x8c);
    }
    if (grade >= 5) {
        return QColor(0xf5, 0xb9, 0x6e);
    }
    return QColor(0xf0, 0x80, 0x80);
}

QByteArray classResultsCsv(const std::vector<progress::ClassConnection::PupilResults>& pupils) {
    QList<QStringList> rows{
        {QStringLiteral("Mokinys"), QStringLiteral("Prisijungimo vardas"), QStringLiteral("Tema"),
         QString::fromUtf8("Atlikta kartų"), QString::fromUtf8("Paskutinis įvertinimas"),
         QString::fromUtf8("Geriausias įvertinimas"), QString::fromUtf8("Paskutinį kartą")}};
    for (const auto& pupil : pupils) {
        for (const progress::TopicProgress& topic : progress::topicProgress(pupil.attempts)) {
            rows.append(
                {pupil.pupil.learner.name, pupil.pupil.login, topic.menuPath,
                 QString::number(topic.attempts), QString::number(topic.lastGrade),
                 QString::number(topic.bestGrade),
                 topic.lastDate.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))});
        }
    }
    return progress::csvTable(rows);
}

ClassResultsWindow::ClassResultsWindow(progress::ServerProgressStore& store,
                                       const QString& courseId, QWidget* parent)
    : QDialog(parent), store_(store) {
    setWindowTitle(QString::fromUtf8("Klasės rezultatai"));
    addHelpTopicItem(*this, *new QMenu(this), kClassHelpTopic);
    chooseExportPath_ = [this] {
        return QFileDialog::getSaveFileName(this, QString::fromUtf8("Eksportuoti rezultatus"),
                                            QStringLiteral("klase.csv"),
                                            QStringLiteral("CSV (*.csv)"));
    };
    const auto results = store_.classResults(courseId);
    if (results) {
        pupils_ = *results;
    }
    // The columns: every topic any pupil did, in menu order, named by its last caption.
    std::map<std::int32_t, QString> topics;
    std::vector<std::vector<progress::TopicProgress>> progressOf;
    for (const auto& pupil : pupils_) {
        progressOf.push_back(progress::topicProgress(pupil.attempts));
        for (const progress::TopicProgress& topic : progressOf.back()) {
            topics[topic.menuRowId] = topic.menuPath;
        }
    }
    grid_ = new QTableWidget(int(pupils_.size()), int(topics.size()), this);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A topic by its own caption; where several share it ("Kartojimas"), with its group's.
    const QString separator = QStringLiteral(" > ");
    QStringList headers;
    for (const auto& [id, path] : topics) {
        topicIds_.push_back(id);
        headers << path.section(separator, -1);
    }
    const QStringList captions = headers;
    qsizetype index = 0;
    for (const auto& [id, path] : topics) {
        if (captions.count(captions[index]) > 1 && path.contains(separator)) {
            headers[index] += QStringLiteral(" (%1)").arg(path.section(separator, -2, -2));
        }
        ++index;
    }
    grid_->setHorizontalHeaderLabels(headers);
    for (int column = 0; column < int(topicIds_.size()); ++column) {
        grid_->horizontalHeaderItem(column)->setToolTip(topics[topicIds_[std::size_t(column)]]);
    }
    QStringList names;
    for (std::size_t row = 0; row < pupils_.size(); ++row) {
        names << pupils_[row].pupil.learner.name.left(60);
        for (const progress::TopicProgress& topic : progressOf[row]) {
            const auto column =
                std::find(topicIds_.begin(), topicIds_.end(), topic.menuRowId) - topicIds_.begin();
            auto* cell = new QTableWidgetItem(QString::number(topic.lastGrade));
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setBackground(gradeColour(topic.lastGrade));
            cell->setForeground(Qt::black);
            cell->setToolTip(
                QString::fromUtf8("Paskutinis įvertinimas: %1, geriausias: %2, atlikta kartų: %3")
                    .arg(topic.lastGrade)
                    .arg(topic.bestGrade)
                    .arg(topic.attempts));
            grid_->setItem(int(row), int(column), cell);
        }
    }
    grid_->setVerticalHeaderLabels(names);
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row) { guarded([&] { showPupil(row); }); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { guarded([&] { openCell(row, column); }); });

    chartView_ = makeGradeChart(this, &series_);
    chartView_->setMinimumHeight(180);
    auto* exportButton = new QPushButton(QString::fromUtf8("Eksportuoti…"), this);
    exportButton->setAutoDefault(false);
    auto* closeButton = new QPushButton(QStringLiteral("Uždaryti"), this);
    connect(exportButton, &QPushButton::clicked, this,
            [this] { guarded([&] { exportResults(); }); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    if (!results) {
        layout->addWidget(new QLabel(
            QString::fromUtf8(
                "Klasės serveris nepasiekiamas, todėl rezultatų dabar parodyti negalima. "
                "Pabandykite vėliau."),
            this));
    }
    layout->addWidget(grid_, 1);
    layout->addWidget(chartView_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    resize(760, 560);
    if (!pupils_.empty()) {
        grid_->setCurrentCell(0, 0);
        showPupil(0);
    }
}

void ClassResultsWindow::showPupil(int row) {
    if (row < 0 || row >= int(pupils_.size())) {
        return;
    }
    setGradePoints(chartView_, series_, pupils_[std::size_t(row)].attempts);
}

void ClassResultsWindow::openCell(int row, int column) {
    if (row < 0 || row >= int(pupils_.size()) || column < 0 || column >= int(topicIds_.size()) ||
        !openReview_) {
        return;
    }
    // The pupil's latest attempt of the topic.
    const auto& attempts = pupils_[std::size_t(row)].attempts;
    for (auto it = attempts.rbegin(); it != attempts.rend(); ++it) {
        if (it->menuRowId == topicIds_[std::size_t(column)]) {
            if (const auto attempt = store_.attempt(it->id)) {
                openReview_(attempt->exercises);
            } else {
                services().messages->showMessage(
                    windowTitle(),
                    QString::fromUtf8("Šio bandymo dabar atverti nepavyko. Pabandykite vėliau."));
            }
            return;
        }
    }
}

void ClassResultsWindow::exportResults() {
    const QString path = chooseExportPath_ ? chooseExportPath_() : QString();
    if (path.isEmpty()) {
        return;
    }
    const QString failure = progress::writeCsvFile(path, classResultsCsv(pupils_));
    if (!failure.isEmpty()) {
        services().messages->showMessage(windowTitle(), failure);
    }
}

}  // namespace lentora

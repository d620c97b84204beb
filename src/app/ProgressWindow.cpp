// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressWindow.h"

#include "app/ProgressSession.h"
#include "controls/HelpTopic.h"
#include "platform/Error.h"
#include "platform/Services.h"
#include "progress/AttemptCsv.h"
#include "progress/TopicProgress.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

#include <map>

namespace lentora {

namespace {

constexpr int kHelpTopic = 9;
// After the points of an attempt in which an exercise could not be opened.
constexpr const char* kIncompleteMark = " (bandymas neužbaigtas)";
const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm");

QString gradeText(int grade) {
    return grade > 0 ? QString::number(grade) : QStringLiteral("–");
}

// A column wide enough for its title and for the widest of the sample texts, measured once:
// the attempts table never measures its ten thousand rows.
void fitColumn(QTableView& view, int column, const QStringList& samples) {
    const QFontMetrics metrics = view.fontMetrics();
    const QString title = view.model()->headerData(column, Qt::Horizontal).toString();
    // The header's font may be bolder than the cells'.
    int width = view.horizontalHeader()->fontMetrics().horizontalAdvance(title);
    for (const QString& sample : samples) {
        width = std::max(width, metrics.horizontalAdvance(sample));
    }
    view.setColumnWidth(column, width + 2 * metrics.averageCharWidth());
}

}  // namespace

// The topics table: one row per topic.
class TopicTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<progress::TopicProgress> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    const std::vector<progress::TopicProgress>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const progress::TopicProgress& row = rows_[std::size_t(index.row())];
        switch (index.column()) {
            case 0:
                return row.menuPath;
            case 1:
                return row.attempts;
            case 2:
                return gradeText(row.lastGrade);
            case 3:
                return gradeText(row.bestGrade);
            default:
                return row.lastDate.toString(kDateFormat);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        static const char* const titles[] = {"Tema", "Atlikta kartų", "Paskutinis įvertinimas",
                                             "Geriausias įvertinimas", "Paskutinį kartą"};
        return QString::fromUtf8(titles[section]);
    }

private:
    std::vector<progress::TopicProgress> rows_;
};

// The attempts table: made only for the rows on screen, so ten thousand cost little.
class AttemptTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setAttempts(const std::vector<progress::AttemptSummary>* attempts) {
        beginResetModel();
        attempts_ = attempts;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() || !attempts_ ? 0 : int(attempts_->size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || !attempts_) {
            return {};
        }
        // Newest first.
        const progress::AttemptSummary& attempt =
            (*attempts_)[attempts_->size() - 1 - std::size_t(index.row())];
        switch (index.column()) {
            case 0:
                return attempt.ended.toString(kDateFormat);
            case 1:
                return attempt.menuPath;
            case 2:
                return content::pointsText(attempt.points) +
                       (attempt.incomplete ? QString::fromUtf8(kIncompleteMark) : QString());
            default:
                return gradeText(attempt.grade);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        static const char* const titles[] = {"Data", "Tema", "Taškai", "Įvertinimas"};
        return QString::fromUtf8(titles[section]);
    }
    // The attempt shown in a row.
    const progress::AttemptSummary* attemptAt(int row) const {
        if (!attempts_ || row < 0 || std::size_t(row) >= attempts_->size()) {
            return nullptr;
        }
        return &(*attempts_)[attempts_->size() - 1 - std::size_t(row)];
    }

private:
    const std::vector<progress::AttemptSummary>* attempts_ = nullptr;
};

QChartView* makeGradeChart(QWidget* parent, QLineSeries** series) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    *series = new QLineSeries(chart);
    (*series)->setPointsVisible(true);
    chart->addSeries(*series);
    auto* time = new QDateTimeAxis(chart);
    time->setFormat(QStringLiteral("yyyy-MM-dd"));
    time->setTickCount(5);
    auto* grades = new QValueAxis(chart);
    grades->setRange(0, 10);
    grades->setTickCount(6);
    grades->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(grades, Qt::AlignLeft);
    (*series)->attachAxis(time);
    (*series)->attachAxis(grades);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing, false);
    return view;
}

void setGradePoints(QChartView* chart, QLineSeries* series,
                    const std::vector<progress::AttemptSummary>& attempts) {
    QList<QPointF> points;
    points.reserve(qsizetype(attempts.size()));
    for (const progress::AttemptSummary& attempt : attempts) {
        points.append(QPointF(double(attempt.ended.toMSecsSinceEpoch()), attempt.grade));
    }
    series->replace(points);
    const QList<QAbstractAxis*> axes = chart->chart()->axes(Qt::Horizontal);
    if (!axes.isEmpty() && !attempts.empty()) {
        QDateTime first = attempts.front().ended;
        QDateTime last = attempts.back().ended;
        if (first == last) {
            first = first.addSecs(-3600);
            last = last.addSecs(3600);
        }
        axes.front()->setRange(first, last);
        // Within a few days the ticks would all show the same dates; then they show the time.
        if (auto* time = qobject_cast<QDateTimeAxis*>(axes.front())) {
            time->setFormat(first.daysTo(last) < 3 ? QStringLiteral("MM-dd HH:mm")
                                                   : QStringLiteral("yyyy-MM-dd"));
        }
    }
}

ProgressWindow::ProgressWindow(ProgressSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      topics_(new TopicTableModel(this)),
      attempts_(new AttemptTableModel(this)),
      topicChoice_(new QComboBox(this)),
      topicsView_(new QTableView(this)),
      attemptsView_(new QTableView(this)),
      chartView_(nullptr),
      series_(nullptr) {
    const std::optional<progress::Learner> learner = session_.currentLearner();
    learnerName_ = learner ? learner->name : QString();
    setWindowTitle(learnerName_.isEmpty()
                       ? QString::fromUtf8("Mano pažanga")
                       : QString::fromUtf8("Mano pažanga – %1").arg(learnerName_));
    chooseExportPath_ = [this] {
        return QFileDialog::getSaveFileName(this, QString::fromUtf8("Eksportuoti bandymus"),
                                            QStringLiteral("bandymai.csv"),
                                            QStringLiteral("CSV (*.csv)"));
    };
    all_ = session_.attempts();
    topics_->setRows(progress::topicProgress(all_));

    for (QTableView* view : {topicsView_, attemptsView_}) {
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->horizontalHeader()->setStretchLastSection(false);
    }
    topicsView_->setModel(topics_);
    attemptsView_->setModel(attempts_);
    topicsView_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    attemptsView_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // Dates, points and grades whole, on one line.
    const QString date = QDateTime(QDate(2000, 12, 28), QTime(20, 58)).toString(kDateFormat);
    const QString grade = QStringLiteral("10");
    fitColumn(*topicsView_, 1, {QStringLiteral("9999")});
    fitColumn(*topicsView_, 2, {grade});
    fitColumn(*topicsView_, 3, {grade});
    fitColumn(*topicsView_, 4, {date});
    fitColumn(*attemptsView_, 0, {date});
    fitColumn(*attemptsView_, 2,
              {content::pointsText({888, 888}) + QString::fromUtf8(kIncompleteMark)});
    fitColumn(*attemptsView_, 3, {grade});
    // Fixed row heights: the attempts table never measures its ten thousand rows.
    attemptsView_->verticalHeader()->setDefaultSectionSize(attemptsView_->fontMetrics().height() +
                                                           6);

    topicChoice_->addItem(QStringLiteral("Visos temos"), 0);
    for (const progress::TopicProgress& row : topics_->rows()) {
        topicChoice_->addItem(row.menuPath, row.menuRowId);
    }
    chartView_ = makeGradeChart(this, &series_);
    chartView_->setMinimumHeight(180);

    auto* exportButton = new QPushButton(QString::fromUtf8("Eksportuoti…"), this);
    exportButton->setAutoDefault(false);
    auto* closeButton = new QPushButton(QStringLiteral("Uždaryti"), this);
    connect(exportButton, &QPushButton::clicked, this,
            [this] { guarded([&] { exportAttempts(); }); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    if (all_.empty()) {
        layout->addWidget(new QLabel(QString::fromUtf8("Dar nėra atliktų temų."), this));
    }
    layout->addWidget(topicsView_, 2);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(new QLabel(QStringLiteral("Tema:"), this));
    choiceRow->addWidget(topicChoice_, 1);
    layout->addLayout(choiceRow);
    layout->addWidget(chartView_, 3);
    layout->addWidget(attemptsView_, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(topicChoice_, &QComboBox::currentIndexChanged, this,
            [this](int index) { showTopic(topicChoice_->itemData(index).toInt()); });
    connect(topicsView_, &QTableView::clicked, this,
            [this](const QModelIndex& index) { topicChoice_->setCurrentIndex(index.row() + 1); });
    connect(attemptsView_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { guarded([&] { openAttempt(index.row()); }); });

    auto* menu = new QMenu(this);
    addHelpTopicItem(*this, *menu, kHelpTopic);
    resize(760, 600);
    showTopic(0);
}

ProgressWindow::~ProgressWindow() = default;

int ProgressWindow::chartPoints() const {
    return int(series_->count());
}

void ProgressWindow::showTopic(std::int32_t menuRowId) {
    if (menuRowId == 0) {
        attempts_->setAttempts(&all_);
        setGradePoints(chartView_, series_, all_);
        return;
    }
    shown_.clear();
    for (const progress::AttemptSummary& attempt : all_) {
        if (attempt.menuRowId == menuRowId) {
            shown_.push_back(attempt);
        }
    }
    attempts_->setAttempts(&shown_);
    setGradePoints(chartView_, series_, shown_);
}

void ProgressWindow::openAttempt(int row) {
    const progress::AttemptSummary* summary = attempts_->attemptAt(row);
    progress::ProgressStore* store = session_.store();
    if (!summary || !store || !openReview_) {
        return;
    }
    const std::optional<progress::Attempt> attempt = store->attempt(summary->id);
    if (!attempt) {
        services().messages->showMessage(QString::fromUtf8("Mano pažanga"),
                                         QString::fromUtf8("Šio bandymo duomenų nebėra."));
        return;
    }
    openReview_(attempt->exercises);
}

void ProgressWindow::exportAttempts() {
    const QString path = chooseExportPath_ ? chooseExportPath_() : QString();
    if (path.isEmpty()) {
        return;
    }
    const QString failure = progress::writeAttemptsCsv(path, learnerName_, all_);
    if (!failure.isEmpty()) {
        throw Error(failure);
    }
}

}  // namespace lentora

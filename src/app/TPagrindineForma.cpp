// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TPagrindineForma.h"

#include "app/BevelPanel.h"
#include "app/ClassLoginDialog.h"
#include "app/ClassResultsWindow.h"
#include "app/Grade.h"
#include "app/LearnersDialog.h"
#include "app/MainSettings.h"
#include "app/MenuBuilder.h"
#include "app/ProgressWindow.h"
#include "app/ReviewRunner.h"
#include "app/TApie.h"
#include "app/TProgNustForm.h"
#include "content/MenuOutline.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/Error.h"
#include "platform/ExerciseFont.h"
#include "platform/Fonts.h"
#include "platform/Pictures.h"
#include "platform/ProgramPaths.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"
#include "progress/ServerProgressStore.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTime>
#include <QTimer>

namespace lentora {

namespace {

constexpr QSize kClientSize(600, 506);
const QColor kMaroon(128, 0, 0);
const QColor kNavy(0, 0, 128);
// A menu outline is a few kilobytes; a larger file is read only this far.
constexpr qint64 kMaxMenuFileBytes = 32 * 1024 * 1024;

}  // namespace

TPagrindineForma::TPagrindineForma(std::unique_ptr<WindowFactory> factory, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      Panel1(nullptr),
      Image1(nullptr),
      StatusLine(nullptr),
      LaikasPanel(nullptr),
      LearnerPanel(nullptr),
      TimerLaikas(new QTimer(this)),
      factory_(std::move(factory)),
      progress_(std::make_unique<ProgressSession>()) {
    setWindowTitle(QStringLiteral("Lentora"));

    // The colours and font belong to the client area; the menu bar keeps the system's.
    auto* client = new QWidget;
    client->setFixedSize(kClientSize);
    client->setFont(makeFont(QStringLiteral("Arial"), 8));
    QPalette clientColours = client->palette();
    clientColours.setColor(QPalette::Window, kMaroon);
    clientColours.setColor(QPalette::WindowText, kNavy);
    client->setPalette(clientColours);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    Panel1 = new BevelPanel(client);
    Panel1->setGeometry(0, 0, 600, 484);
    Panel1->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered);
    Panel1->setBackground(kMaroon);
    Image1 = new QLabel(Panel1);
    Image1->setGeometry(2, 2, 596, 480);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    StatusLine = new BevelPanel(client);
    StatusLine->setGeometry(0, 484, 600, 22);
    StatusLine->setBevels(BevelPanel::Bevel::None, BevelPanel::Bevel::Lowered);
    StatusLine->setBackground(Qt::white);
    StatusLine->setFont(makeFont(QStringLiteral("Arial"), 8));
    StatusLine->setTextColor(Qt::white);
    StatusLine->setText(QStringLiteral("Mielas"));

    LaikasPanel = new BevelPanel(StatusLine);
    LaikasPanel->setGeometry(450, 2, 148, 18);
    LaikasPanel->setBackground(Qt::white);
    LaikasPanel->setFont(makeFont(QStringLiteral("Arial"), 8));
    LaikasPanel->setTextColor(kMaroon);
    LaikasPanel->setTextAlignment(Qt::AlignRight);
    LaikasPanel->setText(QStringLiteral("LaikasPanel"));
    LaikasPanel->setEnabled(false);

    // The current learner's name, right-aligned up to the clock, when there is more than one.
    LearnerPanel = new BevelPanel(StatusLine);
    LearnerPanel->setGeometry(150, 2, 300, 18);
    LearnerPanel->setBackground(Qt::white);
    LearnerPanel->setFont(LaikasPanel->font());
    LearnerPanel->setTextColor(kMaroon);
    LearnerPanel->setTextAlignment(Qt::AlignRight);
    LearnerPanel->setEnabled(false);
    LearnerPanel->hide();

    reward_ = [this](const EntryOutcome& outcome) {
        PlayGradeSound(outcome.grade);
        std::function<void()> review;
        if (canReview(outcome.exercises)) {
            review = [this, exercises = outcome.exercises] { OpenReview(exercises); };
        }
        ShowGrade(outcome.grade, this, outcome.points, review);
    };
    connect(menuBar(), &QMenuBar::triggered, this, [this](QAction* action) {
        if (const int command = commandOf(action)) {
            DispatchCommand(command);
        }
    });

    // With a class server in the settings the learner logs in when the store first opens.
    guarded([&] { classServer_ = progress::ClassServer::fromSettings(programSettings()); });
    FormCreate();
    if (classServer_) {
        setProgressStoreMaker(classStoreMaker(*classServer_, this));
    }

    // The menu bar lies above the client area, which keeps its full size.
    const int menuHeight = menuBar()->heightForWidth(kClientSize.width());
    setFixedSize(
        kClientSize.width(),
        (menuHeight > 0 ? menuHeight : menuBar()->sizeHint().height()) + kClientSize.height());
    centreOnScreen(this);

    TimerLaikas->setInterval(1000);
    connect(TimerLaikas, &QTimer::timeout, this, &TPagrindineForma::TimerLaikasTimer);
    TimerLaikas->start();
    // The store opens only after the first paint, so start-up never waits on it.
    client->installEventFilter(this);
}

bool TPagrindineForma::eventFilter(QObject* watched, QEvent* event) {
    if (!painted_ && watched == centralWidget() && event->type() == QEvent::Paint) {
        painted_ = true;
        centralWidget()->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { openProgress(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TPagrindineForma::setProgressStoreMaker(ProgressSession::StoreMaker maker) {
    progress_ = std::make_unique<ProgressSession>(std::move(maker));
}

void TPagrindineForma::openProgress() {
    guarded([&] {
        const progress::ProgressStore* store = progress_->store();
        if (learnersAction_) {
            learnersAction_->setVisible(!store || store->managesLearners());
        }
        showLearnerName();
    });
}

void TPagrindineForma::showLearnerName() {
    const std::optional<progress::Learner> learner = progress_->currentLearner();
    // A class's pupil is always named: the name comes from the server.
    const progress::ProgressStore* store = progress_->isOpen() ? progress_->store() : nullptr;
    const bool show =
        learner && (progress_->learners().size() > 1 || (store && !store->managesLearners()));
    LearnerPanel->setText(show ? learner->name : QString());
    LearnerPanel->setVisible(show);
}

void TPagrindineForma::markMastered(QMenu* menu) {
    // Until the store is open there is nothing to mark, and it is not opened for this.
    if (!progress_->isOpen()) {
        return;
    }
    const QSet<std::int32_t>& mastered = progress_->mastered();
    for (QAction* action : menu->actions()) {
        const auto found = menuIdOfCommand_.constFind(commandOf(action));
        const bool done = found != menuIdOfCommand_.constEnd() && mastered.contains(*found);
        if (done) {
            action->setCheckable(true);
            action->setChecked(true);
        } else if (action->isCheckable()) {
            action->setChecked(false);
            action->setCheckable(false);
        }
    }
}

void TPagrindineForma::OpenReview(const std::vector<content::ExerciseResult>& exercises) {
    runReview(exercises, *factory_, this);
}

TPagrindineForma::~TPagrindineForma() {
    // FormDestroy
    MenuTable.close();
    NesiojTable.close();
}

void TPagrindineForma::FormCreate() {
    services().help->setHelpFile(programPaths().helpFile);
    MenuLinks.clear();
    // Each step on its own: a table that cannot be read is reported, and only what needs it
    // is lost (its items greyed, its exercises skipped); the menu is always built.
    guarded(
        [&] { MenuTable.load(joinPath(programPaths().programDir, content::menuSchema().file)); });
    guarded([&] {
        NesiojTable.load(joinPath(programPaths().programDir, content::movableWordsSchema().file));
    });
    guarded([&] { BuildMenu(); });
    guarded([&] { ApplyMainSettings(); });
}

void TPagrindineForma::BuildMenu() {
    QFile file(resolvePath(programPaths().menuFile));
    if (!file.open(QIODevice::ReadOnly)) {
        services().messages->showMessage(QString(),
                                         QStringLiteral("Negaliu surasti failo MENIU.MNU"));
        return;
    }
    const QByteArray text = file.read(kMaxMenuFileBytes);
    file.close();

    std::vector<content::MenuNode> outline =
        content::buildOutlineTree(content::parseOutlineLines(text));
    MenuLinks = assignCommands(outline, nextCommand_);
    menuIdOfCommand_.clear();
    for (const MenuLink& link : MenuLinks) {
        menuIdOfCommand_.insert(link.command, link.menuId);
    }
    addOutlineToMenuBar(
        menuBar(), std::move(outline),
        [this](std::int32_t id) -> std::optional<content::MenuRowInfo> {
            if (!MenuTable.isOpen()) {
                // Reported when it failed to load; nothing to run.
                return content::MenuRowInfo{true, false, {}};
            }
            if (!MenuTable.findKey(static_cast<double>(id))) {
                return std::nullopt;
            }
            const content::MenuRow row = content::MenuRow::read(MenuTable);
            return content::MenuRowInfo{row.visible, row.enabled, row.hint};
        },
        [this](QMenu* menu) { markMastered(menu); });
    addProgramMenu();
}

void TPagrindineForma::addProgramMenu() {
    ProgramMenu = menuBar()->addMenu(QStringLiteral("&Programa"));
    ProgramMenu->addAction(QStringLiteral("&Apie..."), this, &TPagrindineForma::Apie1Click);
    ProgramMenu->addAction(QStringLiteral("&Pagalba"), QKeySequence(Qt::Key_F1), this,
                           &TPagrindineForma::Turinys1Click);
    ProgramMenu->addSeparator();
    ProgramMenu->addAction(QStringLiteral("Programos &parametrai"),
                           QKeySequence(Qt::CTRL | Qt::Key_P), this,
                           &TPagrindineForma::Programosnustatymai1Click);
    ProgramMenu->addAction(QString::fromUtf8("Mano pažanga"), this,
                           &TPagrindineForma::ManoPazanga1Click);
    if (classServer_) {
        // Shown once a teacher logged in to the class server.
        classResultsAction_ = ProgramMenu->addAction(QString::fromUtf8("Klasės rezultatai"), this,
                                                     &TPagrindineForma::KlasesRezultatai1Click);
        classResultsAction_->setVisible(false);
    }
    learnersAction_ = ProgramMenu->addAction(QString::fromUtf8("Mokiniai…"), this,
                                             &TPagrindineForma::Mokiniai1Click);
    ProgramMenu->addSeparator();
    ProgramMenu->addAction(QString::fromUtf8("Baigti darbą"), QKeySequence(Qt::ALT | Qt::Key_F4),
                           this, &QWidget::close);
}

void TPagrindineForma::ApplyMainSettings() {
    const MainSettings settings = readMainSettings(programSettings());
    QFont statusFont = StatusLine->font();
    applyFontSetting(settings.statusFont, statusFont);
    StatusLine->setFont(statusFont);
    Image1->setPixmap(
        loadPixmap(backgroundPicturePath(programPaths().testaiDir, settings.background)));
}

void TPagrindineForma::DispatchCommand(int command) {
    DispatchContext context;
    context.links = &MenuLinks;
    context.menuTable = &MenuTable;
    context.movableWordsTable = &NesiojTable;
    context.factory = factory_.get();
    context.parent = this;
    context.reward = reward_;
    context.record = [this](const EntryOutcome& outcome) { progress_->record(outcome); };
    dispatchCommand(context, command);
}

void TPagrindineForma::TimerLaikasTimer() {
    LaikasPanel->setText(clockText(QTime::currentTime(), QLocale::system()));
    // A class server tells the pupil's name, or that a teacher logged in, once it answers.
    if (progress_->isOpen() && progress_->store() && !progress_->store()->managesLearners()) {
        showLearnerName();
        const auto* server = dynamic_cast<const progress::ServerProgressStore*>(progress_->store());
        if (classResultsAction_) {
            classResultsAction_->setVisible(server && server->isTeacher());
        }
    }
}

void TPagrindineForma::Apie1Click() {
    guarded([&] {
        TApie about(this);
        about.ShowAbout();
    });
}

void TPagrindineForma::Turinys1Click() {
    services().help->showContents();
}

void TPagrindineForma::KlasesRezultatai1Click() {
    guarded([&] {
        auto* server = dynamic_cast<progress::ServerProgressStore*>(progress_->store());
        if (!server) {
            return;
        }
        ClassResultsWindow window(*server, progress_->courseId(), this);
        window.setReviewOpener([this, &window](const std::vector<content::ExerciseResult>& done) {
            runReview(done, *factory_, &window);
        });
        window.exec();
    });
}

void TPagrindineForma::ManoPazanga1Click() {
    guarded([&] {
        ProgressWindow window(*progress_, this);
        window.setReviewOpener([this, &window](const std::vector<content::ExerciseResult>& done) {
            runReview(done, *factory_, &window);
        });
        window.exec();
    });
}

void TPagrindineForma::Mokiniai1Click() {
    guarded([&] {
        progress::ProgressStore* store = progress_->store();
        if (!store) {
            return;
        }
        {
            LearnersDialog dialog(*store, this);
            dialog.exec();
        }
        progress_->learnersChanged();
        showLearnerName();
    });
}

void TPagrindineForma::Programosnustatymai1Click() {
    {
        TProgNustForm dialog(this);
        dialog.exec();
    }
    guarded([&] { ApplyMainSettings(); });
}

}  // namespace lentora

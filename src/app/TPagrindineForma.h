// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandDispatch.h"
#include "app/ProgressSession.h"
#include "app/WindowFactory.h"
#include "content/ContentTable.h"
#include "progress/ClassServer.h"

#include <QMainWindow>

#include <QHash>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QMenu;
class QTimer;

namespace lentora {

class BevelPanel;

// The main window: the menu tree of the course, the background picture, the status line with
// the clock. Choosing a linked menu item runs its command lines.
class TPagrindineForma : public QMainWindow {
    Q_OBJECT

public:
    explicit TPagrindineForma(std::unique_ptr<WindowFactory> factory, QWidget* parent = nullptr);
    ~TPagrindineForma() override;

    // Background picture and status-line font from the settings file. Throws Error when the
    // picture cannot be loaded; the status-line font is applied before, the old picture stays.
    void ApplyMainSettings();

    // The handling of a chosen menu item's command number.
    void DispatchCommand(int command);

    // What a grade does; by default the grade sound, then the grade window, from which the
    // review of mistakes opens.
    void setGradeReward(std::function<void(const EntryOutcome& outcome)> reward) {
        reward_ = std::move(reward);
    }

    // Where learners and attempts are kept; by default the learner's own database, opened
    // after the window's first paint or when first needed. Set before that.
    void setProgressStoreMaker(ProgressSession::StoreMaker maker);
    ProgressSession& progress() { return *progress_; }
    // Opens the store when it is not open yet and shows what it holds: the learner's name,
    // the menus' check marks.
    void openProgress();

    // Shows the review of mistakes of the exercises, in their windows.
    void OpenReview(const std::vector<content::ExerciseResult>& exercises);

    const std::vector<MenuLink>& menuLinks() const { return MenuLinks; }
    QMenu* programMenu() const { return ProgramMenu; }
    const WindowFactory& windowFactory() const { return *factory_; }

    BevelPanel* Panel1;
    QLabel* Image1;
    BevelPanel* StatusLine;
    BevelPanel* LaikasPanel;
    BevelPanel* LearnerPanel;
    QTimer* TimerLaikas;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void BuildMenu();
    void addProgramMenu();
    void TimerLaikasTimer();
    void Apie1Click();
    void Turinys1Click();
    void Programosnustatymai1Click();
    void ManoPazanga1Click();
    void Mokiniai1Click();
    void KlasesRezultatai1Click();
    void showLearnerName();
    void markMastered(QMenu* menu);

    std::unique_ptr<WindowFactory> factory_;
    std::function<void(const EntryOutcome& outcome)> reward_;
    std::unique_ptr<ProgressSession> progress_;
    QHash<int, std::int32_t> menuIdOfCommand_;
    QAction* learnersAction_ = nullptr;
    QAction* classResultsAction_ = nullptr;             // shown for a teacher of a class server
    std::optional<progress::ClassServer> classServer_;  // the settings' [Klase]
    bool painted_ = false;
    content::ContentTable MenuTable;
    content::ContentTable NesiojTable;
    std::vector<MenuLink> MenuLinks;
    QMenu* ProgramMenu = nullptr;
    int nextCommand_ = 1;
};

}  // namespace lentora

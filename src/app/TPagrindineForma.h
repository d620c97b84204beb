// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandDispatch.h"
#include "app/WindowFactory.h"
#include "content/ContentTable.h"

#include <QMainWindow>

#include <functional>
#include <memory>
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

    // What a grade does; by default the grade sound, then the grade window.
    void setGradeReward(std::function<void(int grade)> reward) { reward_ = std::move(reward); }

    const std::vector<MenuLink>& menuLinks() const { return MenuLinks; }
    QMenu* programMenu() const { return ProgramMenu; }

    BevelPanel* Panel1;
    QLabel* Image1;
    BevelPanel* StatusLine;
    BevelPanel* LaikasPanel;
    QTimer* TimerLaikas;

private:
    void FormCreate();
    void BuildMenu();
    void addProgramMenu();
    void TimerLaikasTimer();
    void Apie1Click();
    void Turinys1Click();
    void Programosnustatymai1Click();

    std::unique_ptr<WindowFactory> factory_;
    std::function<void(int grade)> reward_;
    content::ContentTable MenuTable;
    content::ContentTable NesiojTable;
    std::vector<MenuLink> MenuLinks;
    QMenu* ProgramMenu = nullptr;
    int nextCommand_ = 1;
};

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandDispatch.h"
#include "content/MenuOutline.h"

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace lentora {

// A menu caption as shown: access-key marks dropped, "&&" read as "&".
QString captionWithoutAccessKey(const QString& caption);

// Gives every item its own command number (from nextCommand on, in outline order) and returns
// the linked items as links, in outline order.
std::vector<MenuLink> assignCommands(std::vector<content::MenuNode>& items, int& nextCommand);

// Adds the outline's items to the menu bar, each action carrying its item's command number
// in its data and the visibility, enabling and hint of its menu table row. A menu's items are
// made (and their rows looked up) when it first opens, so a large outline costs little at
// start-up; the lookup must stay usable as long as the menu bar lives. `shown`, when set, is
// called with each menu built from the outline every time it is about to show, after its
// items are made.
using MenuShownHook = std::function<void(QMenu* menu)>;
void addOutlineToMenuBar(QMenuBar* bar, std::vector<content::MenuNode> items,
                         content::MenuRowLookup lookup, MenuShownHook shown = {});

// Makes the items of a menu built from the outline that has not opened yet.
void populateMenu(QMenu* menu);

// The command number of an action built from the outline; 0 for any other action.
int commandOf(const QAction* action);

}  // namespace lentora

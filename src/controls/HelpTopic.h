// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace lentora {

// Adds the "Pagalba" item (F1) to a window's context menu and to the window itself, so that F1
// works without opening the menu; it opens the help file at the topic. An error opening the
// help is reported and the window goes on.
QAction* addHelpTopicItem(QWidget& window, QMenu& menu, int helpTopic);
// The same, for a window whose topic depends on what it shows now.
QAction* addHelpTopicItem(QWidget& window, QMenu& menu, std::function<int()> helpTopic);

}  // namespace lentora

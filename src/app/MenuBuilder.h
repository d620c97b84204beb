#pragma once

#include "app/CommandDispatch.h"
#include "app/MenuOutline.h"

#include <vector>

class QAction;
class QMenuBar;

namespace lentora {

// Adds the outline's items to the menu bar. Every item gets its own command number (from
// nextCommand on), kept in its action's data; the items linked to a menu table row are
// returned as links, in outline order.
std::vector<MenuLink> addOutlineToMenuBar(QMenuBar* bar, const std::vector<MenuNode>& items,
                                          int& nextCommand);

// The command number of an action built from the outline; 0 for any other action.
int commandOf(const QAction* action);

}  // namespace lentora

#include "app/MenuBuilder.h"

#include "platform/CodePage1257.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace lentora {

namespace {

bool isSeparator(const MenuNode& node) {
    return node.caption == "-" && node.children.empty();
}

void describe(QAction* action, const MenuNode& node, int command, std::vector<MenuLink>& links) {
    action->setData(command);
    action->setVisible(node.visible);
    action->setEnabled(node.enabled);
    if (!node.hint.isEmpty()) {
        const QString hint = fromCp1257(node.hint);
        action->setStatusTip(hint);
        action->setToolTip(hint);
    }
    if (node.hasRow) {
        links.push_back({node.link, command});
    }
}

// Adds one item to a menu bar or a menu; both have addAction, addMenu and addSeparator.
template <class Container>
void addItem(Container* container, QWidget* owner, const MenuNode& node, int& nextCommand,
             std::vector<MenuLink>& links) {
    const int command = nextCommand++;
    QAction* action = nullptr;
    if (isSeparator(node)) {
        action = container->addSeparator();
    } else if (node.children.empty()) {
        action = container->addAction(fromCp1257(node.caption));
    } else {
        auto* menu = new QMenu(fromCp1257(node.caption), owner);
        for (const MenuNode& child : node.children) {
            addItem(menu, menu, child, nextCommand, links);
        }
        action = container->addMenu(menu);
    }
    describe(action, node, command, links);
}

}  // namespace

std::vector<MenuLink> addOutlineToMenuBar(QMenuBar* bar, const std::vector<MenuNode>& items,
                                          int& nextCommand) {
    std::vector<MenuLink> links;
    for (const MenuNode& node : items) {
        addItem(bar, bar, node, nextCommand, links);
    }
    return links;
}

int commandOf(const QAction* action) {
    bool isNumber = false;
    const int command = action ? action->data().toInt(&isNumber) : 0;
    return isNumber ? command : 0;
}

}  // namespace lentora

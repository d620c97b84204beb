#include "app/MenuBuilder.h"

#include "platform/CodePage1257.h"
#include "platform/Error.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <memory>

namespace lentora {

namespace {

struct Outline {
    std::vector<content::MenuNode> items;
    content::MenuRowLookup lookup;
};
using SharedOutline = std::shared_ptr<const Outline>;

// Where a not yet populated menu finds its items; the shared outline keeps them alive.
struct PendingItems {
    SharedOutline outline;
    const content::MenuNode* node = nullptr;
};

const char* const kPendingProperty = "lentoraPendingItems";

bool isSeparator(const content::MenuNode& node) {
    return node.caption == "-" && node.children.empty();
}

void assign(std::vector<content::MenuNode>& nodes, int& nextCommand, std::vector<MenuLink>& links) {
    for (content::MenuNode& node : nodes) {
        node.command = nextCommand++;
        if (node.link != 0) {
            links.push_back({node.link, node.command});
        }
        assign(node.children, nextCommand, links);
    }
}

// A row that cannot be read (a broken table) greys the item; the first such error of a menu
// is reported, since this runs while the menu opens.
content::MenuRowInfo safeRowInfo(const content::MenuNode& node,
                                 const content::MenuRowLookup& lookup, bool& reported) {
    try {
        return content::menuRowInfo(node.link, lookup);
    } catch (const Error& error) {
        if (!reported) {
            reportError(error.text());
        }
    } catch (const std::exception& error) {
        if (!reported) {
            reportError(QString::fromUtf8(error.what()));
        }
    }
    reported = true;
    return {true, false, {}};
}

void describe(QAction* action, const content::MenuNode& node, const content::MenuRowLookup& lookup,
              bool& reported) {
    action->setData(node.command);
    const content::MenuRowInfo row = safeRowInfo(node, lookup, reported);
    if (!row.visible) {
        action->setVisible(false);
    }
    if (!row.enabled) {
        action->setEnabled(false);
    }
    if (!row.hint.isEmpty()) {
        const QString hint = fromCp1257(row.hint);
        action->setStatusTip(hint);
        action->setToolTip(hint);
    }
}

QMenu* pendingMenu(const content::MenuNode& node, const SharedOutline& outline, QWidget* owner) {
    auto* menu = new QMenu(fromCp1257(node.caption), owner);
    auto* pending = new PendingItems{outline, &node};
    menu->setProperty(kPendingProperty, QVariant::fromValue(static_cast<void*>(pending)));
    QObject::connect(menu, &QObject::destroyed, [pending] { delete pending; });
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { populateMenu(menu); });
    return menu;
}

template <class Container>
void addItem(Container* container, QWidget* owner, const content::MenuNode& node,
             const SharedOutline& outline, bool& reported) {
    QAction* action = nullptr;
    if (isSeparator(node)) {
        action = container->addSeparator();
    } else if (node.children.empty()) {
        action = container->addAction(fromCp1257(node.caption));
    } else {
        action = container->addMenu(pendingMenu(node, outline, owner));
    }
    describe(action, node, outline->lookup, reported);
}

}  // namespace

std::vector<MenuLink> assignCommands(std::vector<content::MenuNode>& items, int& nextCommand) {
    std::vector<MenuLink> links;
    assign(items, nextCommand, links);
    return links;
}

void addOutlineToMenuBar(QMenuBar* bar, std::vector<content::MenuNode> items,
                         content::MenuRowLookup lookup) {
    const auto outline =
        std::make_shared<const Outline>(Outline{std::move(items), std::move(lookup)});
    bool reported = false;
    for (const content::MenuNode& node : outline->items) {
        addItem(bar, bar, node, outline, reported);
    }
}

void populateMenu(QMenu* menu) {
    auto* pending = static_cast<PendingItems*>(menu->property(kPendingProperty).value<void*>());
    if (!pending || !pending->node) {
        return;
    }
    const content::MenuNode* node = pending->node;
    pending->node = nullptr;
    bool reported = false;
    for (const content::MenuNode& child : node->children) {
        addItem(menu, menu, child, pending->outline, reported);
    }
    pending->outline.reset();  // the submenus keep what they still need
}

int commandOf(const QAction* action) {
    bool isNumber = false;
    const int command = action ? action->data().toInt(&isNumber) : 0;
    return isNumber ? command : 0;
}

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MenuBuilder.h"

#include "content/ContentTable.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>

#include <memory>
#include <utility>

namespace lentora {

namespace {

struct Outline {
    std::vector<content::MenuNode> items;
    content::MenuRowLookup lookup;
};
using SharedShownHook = std::shared_ptr<const MenuShownHook>;
using SharedOutline = std::shared_ptr<const Outline>;

// A menu built from the outline whose items are made when it first opens; until then the
// shared outline keeps its node alive.
class OutlineMenu : public QMenu {
public:
    OutlineMenu(const QString& title, QWidget* parent, SharedOutline outline,
                const content::MenuNode* node, SharedShownHook shown)
        : QMenu(title, parent),
          outline_(std::move(outline)),
          node_(node),
          shown_(std::move(shown)) {
        setToolTipsVisible(true);  // the hints of the course's menu items
        connect(this, &QMenu::aboutToShow, this, [this] {
            populate();
            if (shown_ && *shown_) {
                (*shown_)(this);
            }
        });
    }

    void populate();

private:
    SharedOutline outline_;
    const content::MenuNode* node_;
    SharedShownHook shown_;
};

// Shows the hint of the menu bar item under the pointer, which a menu bar does not do itself.
class MenuBarHints : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* bar = qobject_cast<QMenuBar*>(watched);
        if (bar && event->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(event);
            const QAction* action = bar->actionAt(help->pos());
            if (action && !action->statusTip().isEmpty()) {
                QToolTip::showText(help->globalPos(), action->toolTip(), bar);
            } else {
                QToolTip::hideText();
            }
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

bool isSeparator(const content::MenuNode& node) {
    return node.caption == "-" && node.children.empty();
}

void assign(std::vector<content::MenuNode>& nodes, int& nextCommand, std::vector<MenuLink>& links,
            const QString& parentPath) {
    for (content::MenuNode& node : nodes) {
        node.command = nextCommand++;
        const QString caption = captionWithoutAccessKey(fromCp1257(node.caption)).trimmed();
        const QString path =
            parentPath.isEmpty() ? caption : parentPath + QStringLiteral(" > ") + caption;
        if (node.link != 0) {
            links.push_back({node.link, node.command, path});
        }
        assign(node.children, nextCommand, links, path);
    }
}

// A row that cannot be read (a broken table) greys the item; the first such error of a menu
// is reported, since this runs while the menu opens.
content::MenuRowInfo safeRowInfo(const content::MenuNode& node,
                                 const content::MenuRowLookup& lookup, bool& reported) {
    try {
        return content::menuRowInfo(node.link, lookup);
    } catch (const content::ClosedTableError&) {
        // Reported when the table failed to load.
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

QMenu* pendingMenu(const content::MenuNode& node, const SharedOutline& outline, QWidget* owner,
                   const SharedShownHook& shown) {
    return new OutlineMenu(fromCp1257(node.caption), owner, outline, &node, shown);
}

template <class Container>
void addItem(Container* container, QWidget* owner, const content::MenuNode& node,
             const SharedOutline& outline, const SharedShownHook& shown, bool& reported) {
    QAction* action = nullptr;
    if (isSeparator(node)) {
        action = container->addSeparator();
    } else if (node.children.empty()) {
        action = container->addAction(fromCp1257(node.caption));
    } else {
        action = container->addMenu(pendingMenu(node, outline, owner, shown));
    }
    describe(action, node, outline->lookup, reported);
}

}  // namespace

QString captionWithoutAccessKey(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                text += u'&';
                ++i;
            }
            continue;
        }
        text += caption[i];
    }
    return text;
}

std::vector<MenuLink> assignCommands(std::vector<content::MenuNode>& items, int& nextCommand) {
    std::vector<MenuLink> links;
    assign(items, nextCommand, links, QString());
    return links;
}

void addOutlineToMenuBar(QMenuBar* bar, std::vector<content::MenuNode> items,
                         content::MenuRowLookup lookup, MenuShownHook shown) {
    const auto outline =
        std::make_shared<const Outline>(Outline{std::move(items), std::move(lookup)});
    const auto shownHook = std::make_shared<const MenuShownHook>(std::move(shown));
    bool reported = false;
    for (const content::MenuNode& node : outline->items) {
        addItem(bar, bar, node, outline, shownHook, reported);
    }
    bar->installEventFilter(new MenuBarHints(bar));
}

void OutlineMenu::populate() {
    if (!node_) {
        return;
    }
    const content::MenuNode* node = std::exchange(node_, nullptr);
    bool reported = false;
    for (const content::MenuNode& child : node->children) {
        addItem(this, this, child, outline_, shown_, reported);
    }
    outline_.reset();  // the submenus keep what they still need
}

void populateMenu(QMenu* menu) {
    if (auto* outlineMenu = dynamic_cast<OutlineMenu*>(menu)) {
        outlineMenu->populate();
    }
}

int commandOf(const QAction* action) {
    bool isNumber = false;
    const int command = action ? action->data().toInt(&isNumber) : 0;
    return isNumber ? command : 0;
}

}  // namespace lentora

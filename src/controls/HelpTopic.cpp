// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/HelpTopic.h"

#include "platform/Error.h"
#include "platform/Services.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace lentora {

QAction* addHelpTopicItem(QWidget& window, QMenu& menu, int helpTopic) {
    return addHelpTopicItem(window, menu, [helpTopic] { return helpTopic; });
}

QAction* addHelpTopicItem(QWidget& window, QMenu& menu, std::function<int()> helpTopic) {
    QAction* item = menu.addAction(QStringLiteral("Pagalba"));
    item->setShortcut(QKeySequence(Qt::Key_F1));
    item->setShortcutContext(Qt::WindowShortcut);
    window.addAction(item);
    QObject::connect(item, &QAction::triggered, &window, [helpTopic = std::move(helpTopic)] {
        guarded([&helpTopic] { services().help->showTopic(helpTopic()); });
    });
    return item;
}

}  // namespace lentora

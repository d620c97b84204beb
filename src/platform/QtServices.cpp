// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtServices.h"

#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ProgramPaths.h"
#include "platform/Services.h"
#include "platform/TextPrinting.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QSoundEffect>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace lentora {

namespace {

QWidget* dialogParent() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

class QtMessageService : public MessageService {
public:
    void showError(const QString& text) override {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Lentora"), text, QMessageBox::Ok,
                        dialogParent());
        box.exec();
    }
    void showMessage(const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, dialogParent());
        box.exec();
    }
};

class QtSoundService : public SoundService {
public:
    void playAsync(const QString& wavPath) override {
        if (wavPath.isEmpty()) {
            return;
        }
        const QString path = resolvePath(wavPath);
        if (!QFileInfo(path).isFile()) {
            return;
        }
        if (!effect_) {
            effect_ = std::make_unique<QSoundEffect>();
        }
        // One player: a new sound cuts off the one still playing.
        effect_->stop();
        effect_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        effect_->play();
    }

private:
    std::unique_ptr<QSoundEffect> effect_;
};

// The help window closes by Escape and by its context menu too, so that it can be closed
// without a window manager.
class HelpWindow : public QTextBrowser {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
        QTextBrowser::keyPressEvent(event);
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
        menu->addSeparator();
        menu->addAction(QString::fromUtf8("Uždaryti"), this, &QWidget::close);
        menu->exec(event->globalPos());
    }
};

// The help file is an HTML document whose topics are anchors named by context number.
class QtHelpService : public HelpService {
public:
    void setHelpFile(const QString& path) override {
        path_ = path;
        loadedPath_.clear();
    }
    void showContents() override { show(QString()); }
    void showTopic(int contextNumber) override { show(QString::number(contextNumber)); }

private:
    static constexpr qint64 kMaxHelpBytes = 16 * 1024 * 1024;

    void show(const QString& anchor) {
        guarded([&] {
            load();
            if (!browser_->isVisible()) {
                // Centred, so that it does not lie over the window that asked for it.
                centreOnScreen(browser_.get());
            }
            browser_->show();
            browser_->raise();
            browser_->activateWindow();
            scrollTo(anchor);
            // Once the window has its final size the layout may move; scroll again then.
            QTimer::singleShot(0, browser_.get(), [this, anchor] { scrollTo(anchor); });
        });
    }

    void scrollTo(const QString& anchor) {
        if (anchor.isEmpty()) {
            browser_->moveCursor(QTextCursor::Start);
            browser_->verticalScrollBar()->setValue(0);
        } else {
            browser_->scrollToAnchor(anchor);
        }
    }

    void load() {
        const QString path = resolvePath(path_.isEmpty() ? programPaths().helpFile : path_);
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) ||
            file.size() > kMaxHelpBytes) {
            throw Error(QStringLiteral("Cannot open file %1").arg(path));
        }
        if (!browser_) {
            browser_ = std::make_unique<HelpWindow>();
            browser_->setWindowTitle(QStringLiteral("Lentora – pagalba"));
            browser_->setOpenExternalLinks(true);
            browser_->resize(640, 560);
            // The help window must not keep the program running after the main window closes.
            browser_->setAttribute(Qt::WA_QuitOnClose, false);
        }
        if (loadedPath_ == path) {
            return;
        }
        const QByteArray bytes = file.readAll();
        auto utf8 = QStringDecoder(QStringDecoder::Utf8);
        QString html = utf8.decode(bytes);
        if (utf8.hasError()) {
            // Not UTF-8: the program's own code page.
            html = fromCp1257(bytes);
        }
        browser_->setSearchPaths({QFileInfo(path).absolutePath()});
        browser_->setHtml(html);
        loadedPath_ = path;
    }

    QString path_;
    QString loadedPath_;
    std::unique_ptr<QTextBrowser> browser_;
};

class QtPrintService : public PrintService {
public:
    void printLines(const QStringList& lines) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            throw Error(QStringLiteral(
                "Nerastas joks spausdintuvas, todėl teorijos atspausdinti negalima"));
        }
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Lentora"));
        printTextLines(printer, lines);
    }
};

}  // namespace

void installQtServices() {
    // Live for the whole run; never destroyed so that late calls stay safe.
    static auto* messages = new QtMessageService;
    static auto* sound = new QtSoundService;
    static auto* help = new QtHelpService;
    static auto* printer = new QtPrintService;
    services() = Services{messages, sound, help, printer};
}

}  // namespace lentora

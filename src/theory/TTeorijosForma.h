// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ContentTable.h"
#include "theory/TheoryBookSession.h"

#include <QColor>
#include <QDialog>
#include <QFont>

#include <cstdint>
#include <memory>

class QLabel;
class QMenu;
class QPainter;

namespace lentora {

class FontTextMetrics;
class PageCorner;
class PaintBox;
class ScrollingClient;

// The theory book: one theory text laid out on a left and a right page over a book picture,
// turned a spread at a time by the two page-corner pictures. The session lays the spread out;
// the pages only paint it.
class TTeorijosForma : public QDialog {
    Q_OBJECT
public:
    explicit TTeorijosForma(QWidget* parent = nullptr);
    ~TTeorijosForma() override;

    // Shows the record modally; false (nothing shown) when the table has no such record.
    bool Execute(std::uint16_t recordNumber);
    // Prepares the book for the record without showing it; false when there is no such record.
    bool OpenRecord(std::uint16_t recordNumber);
    // Why no text can open (the theory table's load failure, naming its file), or empty. The
    // caller reports it; the window does not.
    const QString& openFailure() const { return openFailure_; }

    void Image2DblClick();  // previous spread
    void Image3DblClick();  // next spread
    void Pagalba1Click();
    void Spausdintiteorijosmediag1Click();
    void Udaryti1Click();

    const theory::TheoryBookSession& session() const { return session_; }
    const QFont& baseFont() const { return baseFont_; }
    PaintBox* leftPage() const { return PaintBox1; }
    PaintBox* rightPage() const { return PaintBox2; }
    PageCorner* previousCorner() const { return Image2; }
    PageCorner* nextCorner() const { return Image3; }
    // Holds the book picture, the corners and the pages; scrolls where the screen is smaller.
    ScrollingClient* client() const { return Client; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void Page1OnPaint(QPainter& painter);
    void Page2OnPaint(QPainter& painter);
    void react(const theory::BookReaction& reaction);
    void showSpread();
    void playPageTurnSound();
    void readFontSettings();

    ScrollingClient* Client = nullptr;
    QLabel* Knyga = nullptr;
    PageCorner* Image2 = nullptr;
    PageCorner* Image3 = nullptr;
    PaintBox* PaintBox1 = nullptr;
    PaintBox* PaintBox2 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    content::ContentTable table_;
    QFont baseFont_;
    QColor textColor_;
    std::unique_ptr<FontTextMetrics> metrics_;
    theory::TheoryBookSession session_;
    QString openFailure_;
};

}  // namespace lentora

#pragma once

#include "content/ContentTable.h"
#include "theory/SpreadState.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QColor>
#include <QDialog>
#include <QFont>

#include <cstdint>

class QLabel;
class QMenu;
class QPainter;

namespace lentora {

class PageCorner;
class PaintBox;

// The theory book: one theory text laid out on a left and a right page over a book picture,
// turned a spread at a time by the two page-corner pictures. The layout runs on every paint.
class TTeorijosForma : public QDialog {
    Q_OBJECT
public:
    explicit TTeorijosForma(QWidget* parent = nullptr);
    ~TTeorijosForma() override;

    // Shows the record modally; false (nothing shown) when the table has no such record.
    bool Execute(std::uint16_t recordNumber);
    // Prepares the book for the record without showing it; false when there is no such record.
    bool OpenRecord(std::uint16_t recordNumber);

    void Image2DblClick();  // previous spread
    void Image3DblClick();  // next spread
    void Pagalba1Click();
    void Spausdintiteorijosmediag1Click();
    void Udaryti1Click();

    const QByteArrayList& tokens() const { return tokens_; }
    const theory::SpreadState& spreads() const { return spreads_; }
    const QFont& baseFont() const { return baseFont_; }
    PaintBox* leftPage() const { return PaintBox1; }
    PaintBox* rightPage() const { return PaintBox2; }
    PageCorner* previousCorner() const { return Image2; }
    PageCorner* nextCorner() const { return Image3; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void Page1OnPaint(QPainter& painter);
    void Page2OnPaint(QPainter& painter);
    int layOutLeftPage(QPainter* painter);
    void playPageTurnSound();
    void readFontSettings();

    QLabel* Knyga = nullptr;
    PageCorner* Image2 = nullptr;
    PageCorner* Image3 = nullptr;
    PaintBox* PaintBox1 = nullptr;
    PaintBox* PaintBox2 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    content::ContentTable table_;
    QByteArray fullText_;
    QByteArrayList tokens_;
    QFont baseFont_;
    QColor textColor_;
    theory::SpreadState spreads_;
};

}  // namespace lentora

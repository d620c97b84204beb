#pragma once

#include "exercises/movable_words/MovableWordsLogic.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace lentora {

class FontTextMetrics;

// Paints one page of a movable-words exercise over its background and lets the learner carry
// words between boxes with the pointer (drag, or click to pick up and click to put down) or
// with the keyboard (Tab / arrows move the focus frame, Space picks up and puts down, Escape
// puts back). Every handler runs through the error guard.
class MovableWordsView : public QWidget {
    Q_OBJECT
public:
    explicit MovableWordsView(QWidget* parent = nullptr);
    ~MovableWordsView() override;

    // The exercise stays the caller's; the view lays out page 0 at its present size.
    void setExercise(std::vector<movable_words::SentenceToken> tokens,
                     movable_words::Exercise* exercise, const QFont& font, const QColor& color,
                     int boxWidth);
    void setBackground(const QImage& picture);
    // Rows stay above y (0: the whole height), so the picture button covers no box.
    void setRowsBottom(int y);

    const movable_words::PageLayout& pageLayout() const { return layout_; }
    int page() const { return page_; }
    // Turns forward when the page has a next one.
    bool nextPage();

    std::optional<movable_words::BoxRef> carried() const;
    std::optional<movable_words::BoxRef> focusedBox() const;

signals:
    void pageLaidOut(bool hasNextPage);
    // Enter: press the button that shows.
    void buttonRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Carry { None, Pressed, Dragging, Picked, Keyboard };

    void relayout();
    void pressAt(Qt::MouseButton button, QPoint point);
    void moveTo(QPoint point);
    void releaseAt(Qt::MouseButton button, QPoint point);
    bool key(int key);
    void moveFocus(int step);
    void dropOn(std::optional<movable_words::BoxRef> target);
    void putBack();
    void updateBox(movable_words::BoxRef box);
    void updateCarryImage();
    QRect carryRect() const;
    void updateCursor();
    void paintBox(QPainter& painter, const QRect& box, const QByteArray& word, bool lifted);

    std::vector<movable_words::SentenceToken> tokens_;
    movable_words::Exercise* exercise_ = nullptr;
    std::unique_ptr<FontTextMetrics> metrics_;
    QFont font_;
    QColor color_;
    int boxWidth_ = 0;
    int rowsBottom_ = 0;
    QImage background_;
    QPixmap scaledBackground_;

    int page_ = 0;
    movable_words::PageStart start_;
    movable_words::PageLayout layout_;

    Carry carry_ = Carry::None;
    movable_words::BoxRef source_;
    QPoint pressPoint_;
    QPoint pointer_;
    QRect shownCarry_;
    int focus_ = 0;
    bool swallowContextMenu_ = false;
};

}  // namespace lentora

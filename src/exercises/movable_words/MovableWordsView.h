// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercises/movable_words/MovableWordsSession.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace lentora {

// Paints the page of a movable-words session over its background and hands the pointer and the
// keys to the session (drag, or click to pick up and click to put down; Tab / arrows move the
// focus frame, Space picks up and puts down, Escape puts back). Every handler runs through the
// error guard.
class MovableWordsView : public QWidget {
    Q_OBJECT
public:
    explicit MovableWordsView(QWidget* parent = nullptr);
    ~MovableWordsView() override;

    // The session stays the caller's and must outlive the view's use of it.
    void setSession(movable_words::MovableWordsSession* session, const QFont& font,
                    const QColor& color);
    void setBackground(const QImage& picture);
    // Turns forward when the page has a next one.
    void nextPage();
    // A review's summary line, shown in the strip its session keeps above the rows.
    void setSummary(const QString& text);
    const QString& summary() const { return summary_; }

signals:
    void pageLaidOut(bool hasNextPage);
    void pressShownButton();
    // A review's PageDown past its last page, PageUp before its first (never a held key).
    void leaveForward();
    void leaveBack();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Repaints what the session says changed and passes on what the window must do.
    void apply(const movable_words::Reaction& reaction);
    void paintBox(QPainter& painter, const QRect& box, const QByteArray& word, bool lifted,
                  const QColor& wordColor);
    void paintReviewMarks(QPainter& painter, const movable_words::LaidOutRow& row);
    void paintSummary(QPainter& painter);

    movable_words::MovableWordsSession* session_ = nullptr;
    int ascent_ = 0;
    QFont font_;
    QColor color_;
    QImage background_;
    QPixmap scaledBackground_;
    bool swallowContextMenu_ = false;
    QString summary_;
};

}  // namespace lentora

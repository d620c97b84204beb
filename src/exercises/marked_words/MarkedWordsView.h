// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercises/marked_words/MarkedWordsSession.h"

#include <QColor>
#include <QWidget>

#include <memory>

namespace lentora {

class FontTextMetrics;

namespace marked_words {

// The text area: paints the session's page and hands it the pointer and the keys; the session
// lays the page out when it, the size or the font changes.
class MarkedWordsView : public QWidget {
    Q_OBJECT
public:
    explicit MarkedWordsView(QWidget* parent = nullptr);
    ~MarkedWordsView() override;

    // The session stays the caller's; the view lays its page out at the present size and font.
    void setSession(MarkedWordsSession* session);
    void turnPage();
    // A review's PageUp on a later page.
    void turnBack();

    // How a token is drawn: its text colour and, in a review, an outline round a target the
    // learner missed.
    struct TokenLook {
        QColor text;
        bool outlined = false;
    };
    TokenLook lookOf(int token) const;

signals:
    void marked(bool erasing);
    void pageLaidOut(bool hasNextPage);
    void pressShownButton();
    // A review's page keys past its last or before its first page.
    void leaveReview(bool forward);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    FontTextMetrics& metrics();
    void layOutAgain();
    void apply(const Reaction& reaction);

    MarkedWordsSession* session_ = nullptr;
    std::unique_ptr<FontTextMetrics> metrics_;
};

}  // namespace marked_words
}  // namespace lentora

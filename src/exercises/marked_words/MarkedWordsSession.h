// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercises/marked_words/MarkedWordsLogic.h"
#include "platform/TextMetrics.h"

#include <QByteArrayView>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

#include <memory>
#include <optional>
#include <vector>

namespace lentora::marked_words {

// What the view must do after the session took an event.
struct Reaction {
    bool handled = false;           // a key the session used
    std::vector<QRect> repaint;     // areas of the text that changed
    bool pageChanged = false;       // a new layout: repaint it all, show its arrow
    bool pressShownButton = false;  // Enter
    std::optional<bool> markSound;  // a mark changed: true when it was erased
    // A review's PageDown on its last page or PageUp on its first: leave it that way.
    enum class Leave { None, Next, Previous } leave = Leave::None;
};

// One marked-words exercise from its text to its result: the tokens with their marks, the
// pages (forward only), the word under the pointer and the keyboard focus. The page is laid
// out whenever it, the text area's size or the font changes; a new page starts with no word
// under the pointer and the focus on its first markable word.
class MarkedWordsSession {
public:
    // boundHeight: the window's outer height, where laying out a page gives up.
    MarkedWordsSession(QByteArrayView text, bool crossOut, int boundHeight);
    // A done exercise shown again, read-only: nothing marks or moves the focus, and its pages
    // turn back as well as forward. Every token must have a text.
    static std::unique_ptr<MarkedWordsSession> review(Tokens tokens, bool crossOut,
                                                      int boundHeight);

    // The text area's size and font; both lay the page out again when they change.
    void setArea(QSize size, std::unique_ptr<TextMetrics> metrics);
    // False when the size is the one laid out.
    bool setSize(QSize size);

    // Every token with its mark and target flag; the drawn ones with their place.
    const Tokens& tokens() const { return tokens_; }
    const PageLayout& pageLayout() const { return layout_; }
    bool crossOut() const { return crossOut_; }
    int currentPage() const { return paging_.currentPage; }
    int pageStart() const { return paging_.currentStart().value_or(-1); }
    bool hasNextPage() const { return hasNextPage_; }
    std::optional<int> hovered() const { return hovered_; }
    std::optional<int> focused() const { return focused_; }
    // The focus frame shows once a key moved the focus, until the next mouse press.
    bool focusFrameShown() const { return focusFrameShown_; }
    Points points() const { return scoreTokens(tokens_); }
    bool reviewing() const { return reviewing_; }
    // What the page was laid out with; none before the first setArea.
    TextMetrics* metrics() const { return metrics_.get(); }

    Reaction turnPage();
    // Nothing outside a review.
    Reaction turnBack();
    Reaction toggle(int token);
    Reaction moveTo(QPoint point);
    Reaction pressAt(QPoint point, Qt::MouseButton button);
    Reaction keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers = {});

private:
    MarkedWordsSession(Tokens tokens, bool crossOut, int boundHeight);
    Reaction reviewKeyPress(Qt::Key key);
    void layoutPage();
    void repaintToken(Reaction& reaction, std::optional<int> token) const;
    void moveFocusTo(Reaction& reaction, std::optional<int> token);

    Tokens tokens_;
    Paging paging_;
    bool crossOut_;
    int boundHeight_;
    QSize size_;
    std::unique_ptr<TextMetrics> metrics_;
    PageLayout layout_;
    int laidOutPage_ = -1;
    bool hasNextPage_ = false;
    std::optional<int> hovered_;
    std::optional<int> focused_;
    bool focusFrameShown_ = false;
    bool reviewing_ = false;
};

}  // namespace lentora::marked_words

#pragma once

#include "exercises/marked_words/MarkedWordsLogic.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace lentora {

class FontTextMetrics;

namespace marked_words {

// The text area: lays out and paints the current page, tracks the markable word under the
// pointer and the keyboard focus, and asks the window to mark a word or turn the page.
class MarkedWordsView : public QWidget {
    Q_OBJECT
public:
    explicit MarkedWordsView(QWidget* parent = nullptr);
    ~MarkedWordsView() override;

    // The tokens and pages the window owns; `boundHeight` is the window's outer height.
    void setPage(Tokens* tokens, Paging* paging, bool crossOut, int boundHeight);
    // Lays out the current page now. Painting does it too when the page, the size or the font
    // changed since the last layout; otherwise it draws from the kept layout.
    void relayout();
    // Repaints only that token, from the kept layout.
    void repaintToken(int token);

    std::optional<int> hovered() const { return hovered_; }
    std::optional<int> focused() const { return focused_; }

signals:
    void toggleRequested(int token);
    void pageLaidOut(bool hasNextPage);
    void pressButtonRequested();  // Enter
    void nextPageRequested();     // PageDown

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
    int pageStart() const;
    void moveFocusTo(std::optional<int> token);
    bool layoutKept() const;

    Tokens* tokens_ = nullptr;
    Paging* paging_ = nullptr;
    bool crossOut_ = false;
    int boundHeight_ = 0;
    PageLayout layout_;
    int laidOutPage_ = -1;
    bool layoutValid_ = false;
    std::optional<int> hovered_;
    std::optional<int> focused_;
    std::unique_ptr<FontTextMetrics> metrics_;
};

}  // namespace marked_words
}  // namespace lentora

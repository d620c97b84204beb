// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/CommandLine.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lentora::content {

// The link of an outline line (TABs already removed): for a line ending in "]", the five
// characters inside the last seven ("[00016]" gives 16); 0 for any other line.
std::int32_t linkNumberOf(QByteArrayView line);

// The caption of an outline line: the text before the first "[", or the whole line.
QByteArray captionOf(QByteArrayView line);

struct OutlineLine {
    int depth = 0;  // leading TABs
    QByteArray caption;
    std::int32_t link = 0;
};

// Splits MENIU.MNU into its item lines. Lines end at CR LF (a lone CR or LF also ends one);
// a character 26 ends the text; empty lines and lines of TABs alone carry no item.
std::vector<OutlineLine> parseOutlineLines(QByteArrayView text);

// One menu item of the outline.
struct MenuNode {
    QByteArray caption;  // code page 1257, "&" and "-" as the menu reads them
    std::int32_t link = 0;
    int command = 0;  // the command number the menu gives the item
    std::vector<MenuNode> children;
};

// Places the lines: depth 0 on the menu bar; depth d under the last item of the menu bar,
// then d - 1 times its last child. A line deeper than the items that exist goes under the
// deepest one there is (on the menu bar when there is none). Nesting stops at kMaxMenuDepth
// levels, so a broken file cannot build a menu too deep to show.
inline constexpr int kMaxMenuDepth = 32;
std::vector<MenuNode> buildOutlineTree(std::vector<OutlineLine> lines);

// What the menu table row of a link gives the item.
struct MenuRowInfo {
    bool visible = true;
    bool enabled = true;
    QByteArray hint;
};
using MenuRowLookup = std::function<std::optional<MenuRowInfo>(std::int32_t id)>;

// The state of an item: an unlinked item is visible and enabled; a link that names no row
// greys its item, so it cannot be chosen.
MenuRowInfo menuRowInfo(std::int32_t link, const MenuRowLookup& lookup);

}  // namespace lentora::content

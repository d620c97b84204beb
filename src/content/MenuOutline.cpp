// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/MenuOutline.h"

#include "content/MemoLines.h"

#include <algorithm>

namespace lentora::content {

std::int32_t linkNumberOf(QByteArrayView line) {
    if (!line.endsWith(']')) {
        return 0;
    }
    const QByteArrayView lastSeven = line.last(std::min<qsizetype>(7, line.size()));
    return readLeadingInteger(
        lastSeven.sliced(std::min<qsizetype>(1, lastSeven.size()))
            .first(std::min<qsizetype>(5, std::max<qsizetype>(0, lastSeven.size() - 1))));
}

QByteArray captionOf(QByteArrayView line) {
    const qsizetype bracket = line.indexOf('[');
    return (bracket < 0 ? line : line.first(bracket)).toByteArray();
}

std::vector<OutlineLine> parseOutlineLines(QByteArrayView text) {
    const qsizetype end = text.indexOf('\x1a');
    if (end >= 0) {
        text = text.first(end);
    }
    std::vector<OutlineLine> lines;
    for (QByteArrayView line : splitLinesAtAnyBreak(text)) {
        int depth = 0;
        while (depth < line.size() && line[depth] == '\t') {
            ++depth;
        }
        line = line.sliced(depth);
        if (line.isEmpty()) {
            continue;
        }
        lines.push_back({depth, captionOf(line), linkNumberOf(line)});
    }
    return lines;
}

std::vector<MenuNode> buildOutlineTree(std::vector<OutlineLine> lines) {
    std::vector<MenuNode> bar;
    for (OutlineLine& line : lines) {
        MenuNode node;
        node.caption = std::move(line.caption);
        node.link = line.link;
        std::vector<MenuNode>* siblings = &bar;
        const int depth = std::min(line.depth, kMaxMenuDepth);
        for (int level = 0; level < depth && !siblings->empty(); ++level) {
            siblings = &siblings->back().children;
        }
        siblings->push_back(std::move(node));
    }
    return bar;
}

MenuRowInfo menuRowInfo(std::int32_t link, const MenuRowLookup& lookup) {
    if (link == 0) {
        return {};
    }
    if (std::optional<MenuRowInfo> row = lookup(link)) {
        return *row;
    }
    return {true, false, {}};
}

}  // namespace lentora::content

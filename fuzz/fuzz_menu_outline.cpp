// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as MENIU.MNU must give a bounded menu tree, never a crash.
#include "content/MenuOutline.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

int depthOf(const std::vector<lentora::content::MenuNode>& nodes) {
    int deepest = 0;
    for (const lentora::content::MenuNode& node : nodes) {
        deepest = std::max(deepest, 1 + depthOf(node.children));
    }
    return deepest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<lentora::content::OutlineLine> lines = lentora::content::parseOutlineLines(text);
    for (const lentora::content::OutlineLine& line : lines) {
        // Captions and links come from the line itself: never longer than the input.
        if (line.caption.size() > qsizetype(size) || line.depth < 0) {
            std::abort();
        }
    }
    const std::vector<lentora::content::MenuNode> tree =
        lentora::content::buildOutlineTree(std::move(lines));
    if (depthOf(tree) > lentora::content::kMaxMenuDepth + 1) {
        std::abort();
    }
    return 0;
}

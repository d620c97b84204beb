// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowFactory.h"

namespace lentora {

void WindowFactory::add(WindowKey key, WindowCreator creator) {
    creators_[key] = std::move(creator);
}

std::unique_ptr<WindowEntry> WindowFactory::create(WindowKey key, QWidget* parent) const {
    const auto found = creators_.find(key);
    return found == creators_.end() || !found->second ? nullptr : found->second(parent);
}

}  // namespace lentora

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

void WindowFactory::addReview(content::ExerciseKind kind, ReviewCreator creator) {
    reviews_[kind] = std::move(creator);
}

const ReviewCreator* WindowFactory::review(content::ExerciseKind kind) const {
    const auto found = reviews_.find(kind);
    return found == reviews_.end() || !found->second ? nullptr : &found->second;
}

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/CommandLine.h"
#include "content/ExerciseResult.h"
#include "content/Points.h"
#include "controls/ReviewStep.h"

#include <QString>

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QWidget;

namespace lentora {

// The entry of a window opened by a command line: shows the record modally and returns when
// the window closes. An exercise adds the learner's points to totals.score and the possible
// points to totals.maxScore; it never sets them back. The theory book adds none.
class WindowEntry {
public:
    virtual ~WindowEntry() = default;
    // Why the window cannot show any record (its table could not be read: the reader's text,
    // which names the file), or empty when it can. Such a window does not report the failure
    // itself: the command's handling reports it once and skips the window.
    virtual QString openFailure() const { return {}; }
    virtual bool Execute(std::int32_t recordNumber, content::Points& totals) = 0;
    // The exercise as the last Execute that showed it was left, for the learner's history and
    // a review of mistakes; none for the theory book or before such a run.
    virtual std::optional<content::ExerciseResult> result() const { return std::nullopt; }
};

// Which window a command line opens: its kind, and for the movable-words kind the record's
// Tipas (0 for every other kind).
struct WindowKey {
    content::CommandKind kind = content::CommandKind::None;
    int variant = 0;
    auto operator<=>(const WindowKey&) const = default;
};

using WindowCreator = std::function<std::unique_ptr<WindowEntry>(QWidget* parent)>;

// Shows one done exercise again, read-only, in a fresh window of its kind, and tells how the
// learner left it.
using ReviewCreator =
    std::function<ReviewStep(const content::ExerciseResult& result, QWidget* parent)>;

// Makes a fresh window for one command line, by the creator registered for its key. A key
// with no creator (or one whose creator gives null) opens nothing. The review of a done
// exercise goes by its kind the same way.
class WindowFactory {
public:
    virtual ~WindowFactory() = default;

    void add(WindowKey key, WindowCreator creator);
    std::unique_ptr<WindowEntry> create(WindowKey key, QWidget* parent) const;

    void addReview(content::ExerciseKind kind, ReviewCreator creator);
    // The kind's review; null when it has none.
    const ReviewCreator* review(content::ExerciseKind kind) const;

private:
    std::map<WindowKey, WindowCreator> creators_;
    std::map<content::ExerciseKind, ReviewCreator> reviews_;
};

// A window class's openFailure(), where it has one.
template <class Form>
QString openFailureOf(const Form& form) {
    if constexpr (requires { QString(form.openFailure()); }) {
        return form.openFailure();
    } else {
        return {};
    }
}

// Creators for window classes with the usual entries: a theory window's Execute(record), an
// exercise's Execute(record, score, maxScore), and optionally openFailure(). Record numbers
// arrive already cut to the width the kind takes.
template <class Form>
WindowCreator theoryWindow() {
    struct Entry : WindowEntry {
        explicit Entry(QWidget* parent) : form(parent) {}
        QString openFailure() const override { return openFailureOf(form); }
        bool Execute(std::int32_t recordNumber, content::Points&) override {
            return form.Execute(recordNumber);
        }
        Form form;
    };
    return [](QWidget* parent) { return std::make_unique<Entry>(parent); };
}

template <class Form>
WindowCreator exerciseWindow() {
    struct Entry : WindowEntry {
        explicit Entry(QWidget* parent) : form(parent) {}
        QString openFailure() const override { return openFailureOf(form); }
        bool Execute(std::int32_t recordNumber, content::Points& totals) override {
            return form.Execute(recordNumber, totals.score, totals.maxScore);
        }
        std::optional<content::ExerciseResult> result() const override {
            if constexpr (requires { form.result(); }) {
                return form.result();
            } else {
                return std::nullopt;
            }
        }
        Form form;
    };
    return [](QWidget* parent) { return std::make_unique<Entry>(parent); };
}

// A window class's review: Form(parent).Review(result).
template <class Form>
ReviewCreator reviewWindow() {
    return [](const content::ExerciseResult& result, QWidget* parent) {
        Form form(parent);
        return form.Review(result);
    };
}

}  // namespace lentora

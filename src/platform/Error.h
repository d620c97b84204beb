// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace lentora {

// A failure that the learner is told about: the text goes into a message box.
class Error : public std::exception {
public:
    explicit Error(QString text) : text_(std::move(text)), utf8_(text_.toUtf8()) {}

    const QString& text() const noexcept { return text_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString text_;
    QByteArray utf8_;
};

// The text as a message box shows it: a full stop is added unless it ends with one.
QString withFullStop(const QString& text);

// Shows the error in the program's message box (title "Lentora", stop icon, one OK button).
void reportError(const QString& text);

// Runs an event handler; an error is reported and the rest of the handler is skipped.
// Returns false when the handler ended with an error.
template <class Handler>
bool guarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const Error& error) {
        reportError(error.text());
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    }
    return false;
}

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lentora {

// Message boxes. Tests install a fake that records what was shown.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Title "Lentora", stop icon, one OK button; the text is shown as given.
    virtual void showError(const QString& text) = 0;
    // A plain message box with the given title (may be empty) and one OK button.
    virtual void showMessage(const QString& title, const QString& text) = 0;
};

// Asynchronous WAV playing: returns at once; a new sound replaces one still playing.
class SoundService {
public:
    virtual ~SoundService() = default;
    virtual void playAsync(const QString& wavPath) = 0;
};

// The program's help file: contents, or one topic by its context number.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void setHelpFile(const QString& path) = 0;
    virtual void showContents() = 0;
    virtual void showTopic(int contextNumber) = 0;
};

// Plain-text printing on the default printer. Throws lentora::Error when there is no printer.
class PrintService {
public:
    virtual ~PrintService() = default;
    virtual void printLines(const QStringList& lines) = 0;
};

struct Services {
    MessageService* messages = nullptr;
    SoundService* sound = nullptr;
    HelpService* help = nullptr;
    PrintService* printer = nullptr;
};

// The services in use. Until something is installed every pointer is a silent stand-in,
// never null.
Services& services();

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace lentora::testing {

// Records every message box instead of showing it.
class FakeMessageService : public MessageService {
public:
    void showError(const QString& text) override { errors.append(text); }
    void showMessage(const QString& title, const QString& text) override {
        messages.emplace_back(title, text);
    }

    QStringList errors;
    std::vector<std::pair<QString, QString>> messages;  // title, text
};

// Records the paths of the sounds started.
class FakeSoundService : public SoundService {
public:
    void playAsync(const QString& wavPath) override { played.append(wavPath); }

    QStringList played;
};

// Records help requests: contents requests are counted, topics listed in order.
class FakeHelpService : public HelpService {
public:
    void setHelpFile(const QString& path) override { helpFile = path; }
    void showContents() override { ++contentsRequests; }
    void showTopic(int contextNumber) override { topics.push_back(contextNumber); }

    QString helpFile;
    int contentsRequests = 0;
    std::vector<int> topics;
};

// Records printed jobs; with failWith set, every job throws Error(failWith) instead.
class FakePrintService : public PrintService {
public:
    void printLines(const QStringList& lines) override;

    QStringList lines;  // every line of every job, in order
    int jobs = 0;
    QString failWith;
};

// Installs fresh fakes in services() for its lifetime and puts the previous ones back.
class ScopedFakeServices {
public:
    ScopedFakeServices();
    ~ScopedFakeServices();
    ScopedFakeServices(const ScopedFakeServices&) = delete;
    ScopedFakeServices& operator=(const ScopedFakeServices&) = delete;

    FakeMessageService messages;
    FakeSoundService sound;
    FakeHelpService help;
    FakePrintService printer;

private:
    Services previous_;
};

}  // namespace lentora::testing

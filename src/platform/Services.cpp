// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Services.h"

namespace lentora {

namespace {

// Stand-ins until real services are installed: they do nothing.
class SilentMessageService : public MessageService {
public:
    void showError(const QString&) override {}
    void showMessage(const QString&, const QString&) override {}
};

class SilentSoundService : public SoundService {
public:
    void playAsync(const QString&) override {}
};

class SilentHelpService : public HelpService {
public:
    void setHelpFile(const QString&) override {}
    void showContents() override {}
    void showTopic(int) override {}
};

class SilentPrintService : public PrintService {
public:
    void printLines(const QStringList&) override {}
};

}  // namespace

Services& services() {
    static SilentMessageService silentMessages;
    static SilentSoundService silentSound;
    static SilentHelpService silentHelp;
    static SilentPrintService silentPrinter;
    static Services current{&silentMessages, &silentSound, &silentHelp, &silentPrinter};
    return current;
}

}  // namespace lentora

// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeServices.h"

#include "platform/Error.h"

namespace lentora::testing {

void FakePrintService::printLines(const QStringList& printed) {
    if (!failWith.isEmpty()) {
        throw Error(failWith);
    }
    ++jobs;
    lines.append(printed);
}

ScopedFakeServices::ScopedFakeServices() : previous_(services()) {
    Services& current = services();
    current.messages = &messages;
    current.sound = &sound;
    current.help = &help;
    current.printer = &printer;
}

ScopedFakeServices::~ScopedFakeServices() {
    services() = previous_;
}

}  // namespace lentora::testing

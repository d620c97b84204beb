// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileListing.h"

#include "platform/ProgramPaths.h"

#include <QDir>

#include <algorithm>
#include <chrono>
#include <random>

namespace lentora {

namespace {

std::mt19937& generator() {
    static std::mt19937 engine;
    return engine;
}

}  // namespace

QStringList listMatchingFiles(const QString& directory, const QString& pattern) {
    // Without QDir::CaseSensitive the name filter ignores letter case.
    QDir dir(resolvePath(directory));
    QStringList names = dir.entryList(QStringList{pattern},
                                      QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

QString pickRandomFile(const QString& directory, const QString& pattern, int steps) {
    const QStringList names = listMatchingFiles(directory, pattern);
    if (names.isEmpty()) {
        return {};
    }
    const qsizetype count = names.size();
    const qsizetype position = ((steps % count) + count) % count;
    return names.at(position);
}

QString pickRandomFilePath(const QString& directory, const QString& pattern, int steps) {
    const QString resolved = resolvePath(directory);
    const QString name = pickRandomFile(resolved, pattern, steps);
    return name.isEmpty() ? QString() : joinPath(resolved, name);
}

void seedRandomFromClock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    generator().seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

void seedRandom(std::uint32_t seed) {
    generator().seed(seed);
}

int randomBelow(int bound) {
    if (bound <= 0) {
        return 0;
    }
    std::uniform_int_distribution<int> distribution(0, bound - 1);
    return distribution(generator());
}

}  // namespace lentora

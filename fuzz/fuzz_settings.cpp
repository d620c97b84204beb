// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as the settings file. Every key reads as its value or the
// default, a saved copy reads the same, and writing one key changes that key alone.
#include "FuzzCheck.h"
#include "platform/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

using lentora::check;

namespace {

using Key = std::pair<QByteArray, QByteArray>;

const std::array<Key, 16> kProgramKeys{{
    {"Teorijos langas", "SriftName"},
    {"Teorijos langas", "SriftSize"},
    {"Teorijos langas", "SriftColor"},
    {"Testas su nesiojamais zodziais", "SriftName"},
    {"Testas su nesiojamais zodziais", "SriftSize"},
    {"Testas su nesiojamais zodziais", "SriftColor"},
    {"Pabraukiami zodziai", "SriftName"},
    {"Pabraukiami zodziai", "SriftSize"},
    {"Pabraukiami zodziai", "SriftColor"},
    {"Paprastas testas", "SriftName"},
    {"Paprastas testas", "SriftSize"},
    {"Paprastas testas", "SriftColor"},
    {"Spalvos", "Spalvu skaicius"},
    {"Fonas", "Fono failas"},
    {"Status Bar", "SriftName"},
    {"Status Bar", "SriftSize"},
}};

struct Reading {
    std::optional<QByteArray> text;  // nothing: the key is missing
    int number = 0;
    bool operator==(const Reading&) const = default;
};

// Two defaults tell a missing key from one that holds a default's text.
Reading readKey(const lentora::IniFile& settings, const Key& key) {
    const QByteArray first = settings.readText(key.first, key.second, "\x01");
    const QByteArray second = settings.readText(key.first, key.second, "\x02");
    const int number = settings.readInt(key.first, key.second, -7);
    const int other = settings.readInt(key.first, key.second, -8);
    check(first.size() <= 1023);
    if (first != second) {
        check(first == "\x01" && second == "\x02" && number == -7 && other == -8);
        return {std::nullopt, number};
    }
    // A number read is the same with any default; plain decimal text reads as its value.
    check(number == other || (number == -7 && other == -8));
    bool decimal = !first.isEmpty() && first.size() <= 9;
    for (qsizetype i = 0; i < first.size(); ++i) {
        decimal = decimal && (std::isdigit(static_cast<unsigned char>(first[i])) ||
                              (i == 0 && first[i] == '-' && first.size() > 1));
    }
    if (decimal) {
        check(number == first.toInt());
    }
    return {first, number};
}

std::vector<Reading> readAll(const lentora::IniFile& settings, const std::vector<Key>& keys) {
    std::vector<Reading> readings;
    for (const Key& key : keys) {
        readings.push_back(readKey(settings, key));
    }
    return readings;
}

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Key& written = kProgramKeys[input.ConsumeIntegralInRange<std::size_t>(0, 15)];
    std::string value = input.ConsumeRandomLengthString(1023);
    for (char& c : value) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = '_';
        }
    }
    while (!value.empty() && isBlank(value.back())) {
        value.pop_back();
    }
    while (!value.empty() && isBlank(value.front())) {
        value.erase(value.begin());
    }
    const std::string otherSection = input.ConsumeRandomLengthString(40);
    const std::string otherKey = input.ConsumeRandomLengthString(40);
    const std::string file = input.ConsumeRemainingBytesAsString();

    std::vector<Key> keys(kProgramKeys.begin(), kProgramKeys.end());
    keys.push_back({QByteArray::fromStdString(otherSection), QByteArray::fromStdString(otherKey)});

    lentora::IniFile settings = lentora::IniFile::fromBytes(QByteArray::fromStdString(file));
    const std::vector<Reading> before = readAll(settings, keys);
    check(readAll(lentora::IniFile::fromBytes(settings.toBytes()), keys) == before);

    const QByteArray newValue = QByteArray::fromStdString(value);
    settings.setText(written.first, written.second, newValue);
    const lentora::IniFile saved = lentora::IniFile::fromBytes(settings.toBytes());
    for (const lentora::IniFile* copy : {static_cast<const lentora::IniFile*>(&settings), &saved}) {
        const std::vector<Reading> after = readAll(*copy, keys);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (i < kProgramKeys.size() && kProgramKeys[i] == written) {
                check(after[i].text == newValue);
            } else if (keys[i] != written) {
                // The fuzzed key may name the written one in other letter case or blanks.
                check(after[i] == before[i] || i == kProgramKeys.size());
            }
        }
    }
    return 0;
}

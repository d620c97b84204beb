// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/DataPacket.h"

#include <QByteArray>
#include <QString>

namespace lentora::cds {

// The table as one line of compact UTF-8 JSON (without the final newline):
// {"fields":[{"name":..,"type":..,"width":..},..],"key":[..],"rows":[[..],..]}
QByteArray tableToJson(const content::TableData& table);

// The table that tableToJson describes. Throws lentora::Error naming the problem (not the
// file) for bad JSON, a value of the wrong type, or text outside code page 1257. Text field
// length prefixes: 1 byte up to width 255, else 2; without a width, 1 byte when every value
// fits in 255 bytes. Memos: 4 bytes.
content::TableData tableFromJson(const QByteArray& json);

}  // namespace lentora::cds

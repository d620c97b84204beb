// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace lentora::testing {

// Builds data packet bytes by hand, for layouts the writer never produces (change logs,
// 2- and 4-byte prefixes, skipped properties, broken files).
class PacketBytes {
public:
    PacketBytes& u8(unsigned v) {
        bytes_.append(char(v & 0xFF));
        return *this;
    }
    PacketBytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    PacketBytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    PacketBytes& f64(double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        return u32(std::uint32_t(bits)).u32(std::uint32_t(bits >> 32));
    }
    PacketBytes& raw(const QByteArray& b) {
        bytes_.append(b);
        return *this;
    }
    PacketBytes& name(const QByteArray& n) { return u8(unsigned(n.size())).raw(n); }

    PacketBytes& header(unsigned fieldCount, std::uint32_t rowCount) {
        raw(QByteArray("\x96\x19\xE0\xBD", 4));
        return u32(1).u32(24).u16(fieldCount).u32(rowCount).u32(1).u16(0);
    }
    // A field without properties.
    PacketBytes& field(const QByteArray& n, unsigned size, unsigned type, unsigned props = 0) {
        return name(n).u16(size).u16(type).u16(0).u16(props);
    }
    PacketBytes& uintArrayProperty(const QByteArray& n, std::initializer_list<unsigned> values,
                                   unsigned size = 2) {
        name(n).u16(size).u16(0x80 | (size == 4 ? 1 : 2)).u32(std::uint32_t(values.size()));
        for (unsigned v : values) {
            size == 4 ? u32(v) : u16(v);
        }
        return *this;
    }
    PacketBytes& text(unsigned prefix, const QByteArray& t) {
        if (prefix == 1) {
            u8(unsigned(t.size()));
        } else if (prefix == 2) {
            u16(unsigned(t.size()));
        } else {
            u32(std::uint32_t(t.size()));
        }
        return raw(t);
    }

    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

}  // namespace lentora::testing

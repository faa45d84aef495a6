// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows1252.h"

#include <array>
#include <cstdint>

namespace crestaverde {
namespace {

// Characters of bytes 0x80 to 0x9F; the undefined ones keep their own number.
constexpr auto kHighControls = std::to_array<char32_t>(
    {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
     0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
     0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178});
static_assert(kHighControls.size() == 0xA0 - 0x80);

char32_t characterOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80U];
    return byte;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int byteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
    }
    return '?';
}

// Decodes one UTF-8 sequence at pos; returns the length consumed, 0 when it is not valid.
std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t* c) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) return *c = lead, 1;
    if ((lead & 0xE0) == 0xC0)
        length = 2, value = lead & 0x1F;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, value = lead & 0x0F;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, value = lead & 0x07;
    else
        return 0;
    if (pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    constexpr auto kSmallest = std::to_array<char32_t>({0, 0, 0x80, 0x800, 0x10000});
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    *c = value;
    return length;
}

}  // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char byte : bytes) appendUtf8(out, characterOf(static_cast<unsigned char>(byte)));
    return out;
}

std::string utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(text, pos, &c);
        if (length == 0) {
            out += '?';
            ++pos;
        } else {
            out += static_cast<char>(byteOf(c));
            pos += length;
        }
    }
    return out;
}

}  // namespace crestaverde

#include "engine/text/cp1250.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "engine/error.hpp"

namespace kr::text {
namespace {

constexpr char32_t kUndefined = 0xFFFD;

// Bytes 0x80..0xFF; the lower half is ASCII.
constexpr std::array<char32_t, 128> kUpperHalf = {
    0x20AC, kUndefined, 0x201A, kUndefined, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    kUndefined, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,      // 88
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,      // 90
    kUndefined, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,      // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,          // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,          // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,          // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,          // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,          // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,          // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,          // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,          // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,          // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,          // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,          // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,          // F8
};

std::optional<std::uint8_t> UnicodeToCp1250(char32_t c) {
    if (c < 0x80) return static_cast<std::uint8_t>(c);
    if (c == kUndefined) return std::nullopt;
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == c) return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
    auto put = [&out](unsigned v) { out.push_back(static_cast<char>(v)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

std::string Hex(unsigned value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    return buf;
}

[[noreturn]] void ThrowMalformed(std::string_view utf8, std::size_t at) {
    throw Error("malformed UTF-8 at byte offset " + std::to_string(at) + " (byte 0x" +
                Hex(static_cast<std::uint8_t>(utf8[at]), 2) + ")");
}

// Decodes one character starting at `at` and advances `at` past it. Rejects
// truncated and overlong sequences, stray continuation bytes, surrogates and
// values above U+10FFFF.
char32_t DecodeUtf8(std::string_view utf8, std::size_t& at) {
    const std::size_t start = at;
    const auto lead = static_cast<std::uint8_t>(utf8[at]);
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        ThrowMalformed(utf8, start);
    }
    for (int i = 1; i <= extra; ++i) {
        if (start + i >= utf8.size()) ThrowMalformed(utf8, start);
        const auto next = static_cast<std::uint8_t>(utf8[start + i]);
        if ((next & 0xC0) != 0x80) ThrowMalformed(utf8, start);
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) ThrowMalformed(utf8, start);
    at = start + extra + 1;
    return c;
}

}  // namespace

char32_t Cp1250ToUnicode(std::uint8_t byte) {
    return byte < 0x80 ? char32_t{byte} : kUpperHalf[byte - 0x80];
}

std::string Cp1250ToUtf8(std::string_view cp1250) {
    std::string out;
    out.reserve(cp1250.size() * 2);
    for (char ch : cp1250) AppendUtf8(out, Cp1250ToUnicode(static_cast<std::uint8_t>(ch)));
    return out;
}

std::string Utf8ToCp1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t start = at;
        const char32_t c = DecodeUtf8(utf8, at);
        const auto byte = UnicodeToCp1250(c);
        if (!byte) {
            std::string spelt;
            AppendUtf8(spelt, c);
            throw Error("character U+" + Hex(c, 4) + " \"" + spelt + "\" at byte offset " +
                        std::to_string(start) + " has no Windows-1250 byte");
        }
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

namespace {

char UpperCp1250(char c) {
    const auto b = static_cast<std::uint8_t>(c);
    auto shifted = [&](int by) { return static_cast<char>(b - by); };
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return shifted(0x20);
    if (b == 0x9A || (b >= 0x9C && b <= 0x9F)) return shifted(0x10);
    switch (b) {
        case 0xB3: return static_cast<char>(0xA3);  // ł
        case 0xB9: return static_cast<char>(0xA5);  // ą
        case 0xBE: return static_cast<char>(0xBC);  // ľ
        case 0xBF: return static_cast<char>(0xAF);  // ż
        default: return c;
    }
}

}  // namespace

std::string UpperCaseCp1250(std::string_view cp1250) {
    std::string upper(cp1250);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperCp1250);
    return upper;
}

}  // namespace kr::text

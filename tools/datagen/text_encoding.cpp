#include "text_encoding.hpp"

#include <array>
#include <cstdint>
#include <optional>

namespace datagen {

namespace {

// Code points of Windows-1252 bytes 0x80..0x9F; 0 where the byte is unassigned.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Base letters of Latin Extended-A, U+0100..U+017F.
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "IiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";
static_assert(kLatinExtendedA.size() == 0x80);

std::optional<char> fallback_letter(char32_t cp) {
    if (cp >= 0x100 && cp <= 0x17F) return kLatinExtendedA[cp - 0x100];
    // Vietnamese letters with two marks come in upper/lower pairs, grouped by base letter.
    if (cp >= 0x1EA0 && cp <= 0x1EF9) {
        const bool lower = (cp - 0x1EA0) % 2 == 1;
        char base = 'Y';
        if (cp < 0x1EB8)
            base = 'A';
        else if (cp < 0x1EC8)
            base = 'E';
        else if (cp < 0x1ECC)
            base = 'I';
        else if (cp < 0x1EE4)
            base = 'O';
        else if (cp < 0x1EF2)
            base = 'U';
        return lower ? static_cast<char>(base - 'A' + 'a') : base;
    }
    switch (cp) {
        case 0x0218:
            return 'S';
        case 0x0219:
            return 's';
        case 0x021A:
            return 'T';
        case 0x021B:
            return 't';
        case 0x018F:
            return 'E';
        case 0x0259:
            return 'e';
        case 0x01A0:
        case 0x01D1:
            return 'O';
        case 0x01A1:
        case 0x01D2:
            return 'o';
        case 0x01AF:
        case 0x01D3:
            return 'U';
        case 0x01B0:
        case 0x01D4:
            return 'u';
        case 0x01CD:
            return 'A';
        case 0x01CE:
            return 'a';
        case 0x01CF:
            return 'I';
        case 0x01D0:
            return 'i';
        case 0x02BB:
        case 0x02BC:
        case 0x2032:
            return '\'';
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2015:
        case 0x2212:
            return '-';
        default:
            break;
    }
    // Spaces of every width read as a plain space.
    if ((cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F || cp == 0x3000) {
        return ' ';
    }
    return std::nullopt;
}

std::optional<char> windows1252_byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    }
    return fallback_letter(cp);
}

// Decodes one UTF-8 sequence at `pos`; advances `pos` past it. Invalid, overlong and surrogate
// sequences give nullopt and skip one byte.
std::optional<char32_t> next_code_point(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(s[pos]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + length > s.size()) {
        ++pos;
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(s[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return cp;
}

}  // namespace

std::string to_windows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto cp = next_code_point(utf8, pos);
        if (!cp) continue;
        if (const auto byte = windows1252_byte(*cp)) out += *byte;
    }
    return out;
}

std::string clean_field(std::string_view utf8, std::string_view separators) {
    const std::string converted = to_windows1252(utf8);
    std::string out;
    out.reserve(converted.size());
    bool pending_space = false;
    for (const char c : converted) {
        const auto byte = static_cast<std::uint8_t>(c);
        const bool blank = byte <= 0x20 || byte == 0x7F || byte == 0xA0 ||
                           separators.find(c) != std::string_view::npos;
        if (blank) {
            pending_space = !out.empty();
            continue;
        }
        if (pending_space) out += ' ';
        pending_space = false;
        out += c;
    }
    return out;
}

}  // namespace datagen

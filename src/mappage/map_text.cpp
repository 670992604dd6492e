#include "mappage/map_text.hpp"

#include <array>
#include <cstdint>

#include "common/text.hpp"

namespace mappage {
namespace {

// Windows-1252 0x80..0x9F; the undefined bytes map to their C1 code points.
constexpr std::array<char16_t, 32> kHigh1252{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void append_u_escape(std::string& out, unsigned value) {
    constexpr std::string_view kHex = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string to_utf8(std::string_view text) {
    if (common::valid_utf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        append_utf8(out, b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : b);
    }
    return out;
}

std::string html_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string js_string_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (b < 0x20 || b == 0x7F || c == '\'' || c == '"' || c == '<' || c == '>' ||
                   c == '&') {
            append_u_escape(out, b);
        } else if (b == 0xE2 && i + 2 < text.size() && text[i + 1] == '\x80' &&
                   (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
            // Line and paragraph separators end a string literal in older engines.
            append_u_escape(out, text[i + 2] == '\xA8' ? 0x2028 : 0x2029);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string js_html_value(std::string_view text) {
    return js_string_escape(html_escape(to_utf8(text)));
}

}  // namespace mappage

#pragma once
// get_iata: the route text of two airport codes from iata_text. A code's place is found at the
// first occurrence of "," + code anywhere in the text, with exact letter case. The text is indexed
// once per load (the pieces after each "," sorted, with a range-minimum table over their
// positions), so a look-up costs O(code length × log n) instead of a scan of the text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace live {

// iata_text from the bytes of system/iata: every no-break space (byte 160) becomes a space.
std::string iata_text_from_file(std::string_view file_bytes);

class RouteTable {
  public:
    RouteTable() = default;
    // Copies the text; the table does not refer to the caller's buffer.
    explicit RouteTable(std::string iata_text);

    // The place name of a code: the first field of the line holding the first "," + code, cut
    // before its first "(" and then its first "-", blanks trimmed. Empty when not found (also
    // for an empty code, which the route never asks about).
    [[nodiscard]] std::string_view place_name(std::string_view code) const;

    // get_iata(aa, s2), s2 = origin "," destination: "" when either code is empty; with the
    // destination found "(" from "-" to ")" (without the parentheses when aa is false); else the
    // origin's place name alone, possibly empty.
    [[nodiscard]] std::string get_iata(bool aa, std::string_view s2) const;

    [[nodiscard]] const std::string& text() const noexcept { return text_; }

  private:
    struct Span {
        std::uint32_t begin = 0;
        std::uint32_t size = 0;
    };
    [[nodiscard]] std::string_view view(Span s) const noexcept {
        return std::string_view(text_).substr(s.begin, s.size);
    }
    // The number of the piece after the first "," + code (code without ","), or -1.
    [[nodiscard]] std::int64_t find_first(std::string_view code) const;

    std::string text_;
    // Per "," in text order: the text after it up to the next "," and its line's place name.
    std::vector<Span> pieces_;
    std::vector<Span> names_;
    std::vector<std::uint32_t> sorted_;               // piece numbers, pieces in byte order
    std::vector<std::vector<std::uint32_t>> min_of_;  // min_of_[k][i]: least of sorted_[i, i+2^k)
};

}  // namespace live

#pragma once
// The airline look-up of the feed parse: the first occurrence of a callsign's three-letter code
// followed by "," anywhere in airlines_text, with exact letter case. The table is indexed once per
// load, so each look-up is a hash probe instead of a scan of the text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace live {

// airlines_text from the bytes of system/airlines: every ESC FS pair becomes CR LF.
std::string airlines_text_from_file(std::string_view file_bytes);

class AirlineTable {
  public:
    AirlineTable() = default;
    // Copies the text; the table does not refer to the caller's buffer.
    explicit AirlineTable(std::string airlines_text);

    // The airline name for a callsign, or nothing when no look-up runs (fewer than three
    // characters) or the code is not found. The name is the text after the code's "," up to the
    // next LF with every CR removed, or "-" when no LF follows.
    [[nodiscard]] std::optional<std::string_view> name_for_callsign(
        std::string_view callsign) const;

    [[nodiscard]] const std::string& text() const noexcept { return text_; }

  private:
    std::string text_;
    // Every three bytes that stand before a "," (packed into one number, so the table can be
    // moved freely) map to the name at their first occurrence.
    std::unordered_map<std::uint32_t, std::string> names_;
};

}  // namespace live

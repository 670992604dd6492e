#include "live/airline_table.hpp"

#include "common/text.hpp"

namespace live {
namespace {

std::uint32_t pack(std::string_view code) noexcept {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 16U |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8U |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[2]));
}

}  // namespace

std::string airlines_text_from_file(std::string_view file_bytes) {
    return common::replace_all(file_bytes, "\x1b\x1c", "\r\n");
}

AirlineTable::AirlineTable(std::string airlines_text) : text_(std::move(airlines_text)) {
    const std::string_view text = text_;
    // The next LF at or after a name's start only moves forward, so one pass finds them all.
    std::size_t next_lf = 0;
    for (std::size_t comma = text.find(',', 3); comma != std::string_view::npos;
         comma = text.find(',', comma + 1)) {
        const std::uint32_t code = pack(text.substr(comma - 3, 3));
        if (names_.contains(code)) continue;
        const std::size_t start = comma + 1;
        if (next_lf < start) next_lf = text.find('\n', start);
        std::string name = next_lf == std::string_view::npos
                               ? std::string("-")
                               : common::replace_all(text.substr(start, next_lf - start), "\r", "");
        names_.emplace(code, std::move(name));
    }
}

std::optional<std::string_view> AirlineTable::name_for_callsign(std::string_view callsign) const {
    if (callsign.size() < 3) return std::nullopt;
    const auto it = names_.find(pack(callsign));
    if (it == names_.end()) return std::nullopt;
    return std::string_view(it->second);
}

}  // namespace live

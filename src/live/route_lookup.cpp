#include "live/route_lookup.hpp"

#include <algorithm>
#include <bit>

#include "common/text.hpp"

namespace live {

std::string iata_text_from_file(std::string_view file_bytes) {
    std::string text(file_bytes);
    std::replace(text.begin(), text.end(), '\xA0', ' ');
    return text;
}

RouteTable::RouteTable(std::string iata_text) : text_(std::move(iata_text)) {
    const std::string_view text = text_;
    std::size_t line_start = 0;
    Span line_name;
    bool line_named = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            line_start = i + 1;
            line_named = false;
        } else if (text[i] == ',') {
            if (!line_named) {
                // The line's first field, which ends at this first "," of the line.
                std::string_view name = text.substr(line_start, i - line_start);
                name = name.substr(0, name.find('('));
                name = common::trim_spaces(name.substr(0, name.find('-')));
                // An empty trim may not point into the text.
                line_name = name.empty()
                                ? Span{}
                                : Span{static_cast<std::uint32_t>(name.data() - text.data()),
                                       static_cast<std::uint32_t>(name.size())};
                line_named = true;
            }
            if (!pieces_.empty()) {
                Span& last = pieces_.back();
                last.size = static_cast<std::uint32_t>(i - last.begin);
            }
            pieces_.push_back({static_cast<std::uint32_t>(i + 1), 0});
            names_.push_back(line_name);
        }
    }
    if (!pieces_.empty()) {
        pieces_.back().size = static_cast<std::uint32_t>(text.size() - pieces_.back().begin);
    }

    sorted_.resize(pieces_.size());
    for (std::uint32_t k = 0; k < sorted_.size(); ++k) sorted_[k] = k;
    std::sort(sorted_.begin(), sorted_.end(), [this](std::uint32_t a, std::uint32_t b) {
        return view(pieces_[a]) < view(pieces_[b]);
    });
    // Sparse table: the pieces that start with a code are one range of the sorted order, and the
    // first occurrence is the least piece number in it.
    min_of_.push_back(sorted_);
    for (std::size_t width = 1; 2 * width <= sorted_.size(); width *= 2) {
        const std::vector<std::uint32_t>& prev = min_of_.back();
        std::vector<std::uint32_t> next(sorted_.size() - 2 * width + 1);
        for (std::size_t i = 0; i < next.size(); ++i) next[i] = std::min(prev[i], prev[i + width]);
        min_of_.push_back(std::move(next));
    }
}

std::int64_t RouteTable::find_first(std::string_view code) const {
    const auto lo = std::partition_point(sorted_.begin(), sorted_.end(),
                                         [&](std::uint32_t k) { return view(pieces_[k]) < code; });
    const auto hi = std::partition_point(lo, sorted_.end(), [&](std::uint32_t k) {
        return view(pieces_[k]).substr(0, code.size()) == code;
    });
    if (lo == hi) return -1;
    const auto first = static_cast<std::size_t>(lo - sorted_.begin());
    const auto count = static_cast<std::size_t>(hi - lo);
    const auto level = static_cast<std::size_t>(std::bit_width(count) - 1);
    const std::vector<std::uint32_t>& row = min_of_[level];
    return std::min(row[first], row[first + count - (std::size_t{1} << level)]);
}

std::string_view RouteTable::place_name(std::string_view code) const {
    if (code.empty()) return {};
    const std::int64_t piece = find_first(code);
    if (piece < 0) return {};
    return view(names_[static_cast<std::size_t>(piece)]);
}

std::string RouteTable::get_iata(bool aa, std::string_view s2) const {
    const std::size_t comma = s2.find(',');
    if (comma == std::string_view::npos) return {};
    const std::string_view origin = s2.substr(0, comma);
    std::string_view destination = s2.substr(comma + 1);
    destination = destination.substr(0, destination.find(','));
    if (origin.empty() || destination.empty()) return {};

    std::string route(place_name(origin));
    if (find_first(destination) < 0) return route;
    const std::string_view to = place_name(destination);
    route.reserve(route.size() + to.size() + 3);
    if (aa) route.insert(route.begin(), '(');
    route += '-';
    route += to;
    if (aa) route += ')';
    return route;
}

}  // namespace live

#include "logs/spawn_table.hpp"

#include <algorithm>

#include "common/text.hpp"

namespace logs {

namespace {

constexpr std::size_t kShownFields = 7;

// The first seven fields of a row cut at ","; count is the number of fields, capped at seven
// because nothing looks further.
struct Fields {
    std::array<std::string_view, kShownFields> f{};
    std::size_t count = 0;
};

Fields split_fields(std::string_view row) {
    Fields out;
    std::size_t begin = 0;
    while (out.count < kShownFields) {
        const auto comma = row.find(',', begin);
        out.f[out.count++] =
            row.substr(begin, comma == std::string_view::npos ? row.npos : comma - begin);
        if (comma == std::string_view::npos) break;
        begin = comma + 1;
    }
    return out;
}

bool valid_cell(int row, int column) noexcept {
    return row >= 1 && row <= SpawnTable::kRows && column >= 1 && column <= SpawnTable::kColumns;
}

std::string without_marks(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        if (c != kMark) out.push_back(c);
    }
    return out;
}

bool is_unreserved(unsigned char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

const Cell& SpawnTable::cell(int row, int column) const {
    return cells_.at(static_cast<std::size_t>(row - 1)).at(static_cast<std::size_t>(column - 1));
}

void SpawnTable::after_parse(const RowText& records) {
    top_row_ = 0;
    top_row_ = scrol(top_row_, DrawText::Records, records);
    scroll_scale_ = 1.0F;
}

void SpawnTable::after_growth(const RowText& records, std::int64_t moved) {
    const std::int64_t top =
        first_shown_ == 0 ? 0 : std::max<std::int64_t>(0, first_shown_ + moved);
    top_row_ = scrol(top, DrawText::Records, records);
}

std::int64_t SpawnTable::scrol(std::int64_t sel, DrawText what, const RowText& records) {
    if (records.empty() || sel < 0) sel = 0;
    first_shown_ = sel;
    const bool marked = what == DrawText::Marked && !marked_text_.empty();
    const RowText& text = marked ? marked_text_ : records;

    for (std::size_t k = 0; k < kRows; ++k) {
        Row& cells = cells_[k];
        const std::string_view row = text.row(static_cast<std::size_t>(sel) + k);
        if (row.empty()) {
            for (Cell& c : cells) {
                c.caption.clear();
                c.yellow = false;
                c.red = false;
            }
            continue;
        }
        const Fields fields = split_fields(row);
        for (Cell& c : cells) c.yellow = false;
        cells[kColumnPlaneSpawned - 1].red = false;
        for (std::size_t j = 0; j < fields.count; ++j) {
            if (!fields.f[j].empty() && fields.f[j].front() == kMark) cells[j].yellow = true;
        }
        // A field the row does not have leaves its cell's caption as it was.
        for (std::size_t j = 0; j < fields.count; ++j) cells[j].caption.assign(fields.f[j]);
        if (fields.count > 5 && common::contains(fields.f[5], "(Default")) {
            cells[kColumnPlaneSpawned - 1].red = true;
        }
    }
    return sel;
}

void SpawnTable::reset_hit_backgrounds(int first_column, int last_column) {
    for (Row& cells : cells_) {
        for (int c = first_column; c <= last_column; ++c) {
            cells[static_cast<std::size_t>(c - 1)].yellow = false;
        }
    }
}

std::int64_t SpawnTable::search_labels(std::string_view query, bool match_case,
                                       const RowText& records) {
    const std::string q = match_case ? std::string(query) : common::to_lower(query);
    if (q.empty()) return 0;
    reset_hit_backgrounds(kColumnTime, kColumnPlaneSpawned);

    // Lower-casing is byte for byte, so a field sits at the same offsets in both texts and
    // the case-blind test needs one copy of the text, not one per field.
    const std::string& text = records.text();
    std::string lowered;
    if (!match_case) lowered = common::to_lower(text);
    const std::string_view hay = match_case ? std::string_view(text) : std::string_view(lowered);
    if (!common::contains(hay, q) || common::trim_spaces(q).empty()) return 0;

    std::string marked;
    marked.reserve(text.size() + text.size() / 8 + common::kCrLf.size());
    std::int64_t hits = 0;
    std::int64_t first_hit_row = 0;
    for (std::size_t i = 0; i < records.row_count(); ++i) {
        const std::string_view row = records.row(i);
        const bool tested = !row.empty() && std::count(row.begin(), row.end(), ',') >= 5;
        if (!tested) {
            marked.append(row);
            marked.append(common::kCrLf);
            continue;
        }
        const std::string_view test_row =
            hay.substr(static_cast<std::size_t>(row.data() - text.data()), row.size());
        std::size_t begin = 0;
        for (int field = 0;; ++field) {
            const auto comma = row.find(',', begin);
            const std::size_t end = comma == std::string_view::npos ? row.size() : comma;
            // The CallSign field (6) and any field after it are kept but never tested.
            if (field <= 5 && common::contains(test_row.substr(begin, end - begin), q)) {
                if (hits == 0) first_hit_row = static_cast<std::int64_t>(i);
                ++hits;
                marked.push_back(kMark);
            }
            marked.append(row.substr(begin, end - begin));
            if (comma == std::string_view::npos) break;
            marked.push_back(',');
            begin = comma + 1;
        }
        marked.append(common::kCrLf);
    }
    marked_text_.assign(std::move(marked));
    top_row_ = 0;
    scrol(first_hit_row, DrawText::Marked, records);
    return hits;
}

std::optional<common::Message> SpawnTable::command1_search(std::string_view query, bool match_case,
                                                           const RowText& records) {
    clear_labs();
    if (search_labels(query, match_case, records) == 0) {
        return common::Message{"No results.", common::Message::Icon::Information};
    }
    return std::nullopt;
}

void SpawnTable::clear_labs() {
    for (Row& cells : cells_) {
        cells[kColumnModel - 1].yellow = false;
        cells[kColumnAirline - 1].yellow = false;
    }
    if (marked_text_.text().find(kMark) != std::string::npos) {
        marked_text_.assign(without_marks(marked_text_.text()));
    }
}

void SpawnTable::clearlist() {
    for (Row& cells : cells_) {
        for (Cell& c : cells) c.caption.clear();
    }
    top_row_ = 0;
    marked_text_.clear();
    clear_labs();
}

void SpawnTable::on_scroll(std::int64_t value, const RowText& records) {
    // The product in double: a float would lose whole rows above 2^24.
    top_row_ = common::round_half_even(static_cast<double>(value) * scroll_scale_);
    top_row_ = scrol(top_row_, DrawText::Marked, records);
}

bool SpawnTable::opens_copy_popup(int column) noexcept {
    return column >= kColumnModel && column <= kColumnPlaneSpawned;
}

bool SpawnTable::right_press(int row, int column) {
    if (!valid_cell(row, column) || !opens_copy_popup(column)) return false;
    copy_text_ = cell(row, column).caption;
    return true;
}

std::int64_t SpawnTable::plane_spawned_suggestion_index(
    int row, const std::vector<std::string>& suggestions) const {
    if (suggestions.empty() || !valid_cell(row, kColumnModel)) return -1;
    const std::string model =
        common::to_lower(common::trim_spaces(without_marks(cell(row, kColumnModel).caption)));
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        if (common::contains_ignore_case(suggestions[i], model)) {
            return static_cast<std::int64_t>(i);
        }
    }
    return -1;
}

void SpawnTable::paint_match(int row) {
    if (!valid_cell(row, kColumnModel)) return;
    Row& cells = cells_[static_cast<std::size_t>(row - 1)];
    cells[kColumnModel - 1].yellow = true;
    cells[kColumnAirline - 1].yellow = true;
}

std::string visible_caption(std::string_view caption) {
    return without_marks(caption);
}

std::vector<std::string_view> record_fields(std::string_view row) {
    const Fields fields = split_fields(row);
    return {fields.f.begin(), fields.f.begin() + static_cast<std::ptrdiff_t>(fields.count)};
}

std::string lookup_url(std::string_view first_column_caption) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string_view text = first_column_caption.substr(0, first_column_caption.find('\t'));
    std::string url = "https://www.google.com/search?q=flight+";
    url.reserve(url.size() + text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (is_unreserved(c)) {
            url.push_back(ch);
        } else {
            url.push_back('%');
            url.push_back(kHex[c >> 4]);
            url.push_back(kHex[c & 0x0F]);
        }
    }
    return url;
}

std::optional<MatchPlacement> highlight_match(std::string_view type_code, std::string_view airline,
                                              const RowText& records, std::int64_t record_count) {
    // Newest first in the text, so the search from the end finds the oldest spawn.
    std::optional<std::int64_t> found;
    for (std::size_t n = records.row_count(); n-- > 0;) {
        const std::string_view row = records.row(n);
        if (row.empty()) continue;
        const Fields fields = split_fields(row);
        if (fields.count < 4) continue;
        if (common::trim_spaces(fields.f[2]) == type_code &&
            common::trim_spaces(fields.f[3]) == airline) {
            found = static_cast<std::int64_t>(n);
            break;
        }
    }
    if (!found) return std::nullopt;

    constexpr std::int64_t kPage = SpawnTable::kRows;
    MatchPlacement placement;
    placement.index = *found;
    if (*found < kPage) {
        placement.first_record = 0;
        placement.set_scrollbar = false;
    } else {
        const std::int64_t page_start = (*found / kPage) * kPage;
        // A page that would run past the end is pulled back to the last full page.
        placement.first_record =
            record_count - page_start >= kPage + 1 ? page_start : record_count - kPage;
        placement.set_scrollbar = true;
    }
    placement.row = static_cast<int>(*found - placement.first_record + 1);
    return placement;
}

}  // namespace logs

#include "logs/missing_models.hpp"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "common/text.hpp"
#include "logs/spawn_table.hpp"

namespace logs {
namespace {

using Tally = std::unordered_map<std::string_view, std::int64_t>;

// The field positions of a record row (see ParseResult::records).
constexpr std::size_t kModelField = 2;
constexpr std::size_t kAirlineField = 3;
constexpr std::size_t kPlaneSpawnedField = 5;

TopCounts top_counts(const Tally& tally, std::size_t top, std::int64_t total) {
    std::vector<std::pair<std::string_view, std::int64_t>> all(tally.begin(), tally.end());
    const auto before = [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    };
    const std::size_t n = std::min(top, all.size());
    // Only the top is ordered: a log whose names never repeat stays linear.
    std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n), all.end(), before);
    TopCounts out;
    out.top.reserve(n);
    std::int64_t shown = 0;
    for (std::size_t i = 0; i < n; ++i) {
        out.top.push_back({std::string(all[i].first), all[i].second});
        shown += all[i].second;
    }
    out.others = total - shown;
    out.others_names = static_cast<std::int64_t>(all.size() - n);
    return out;
}

}  // namespace

MissingModels count_missing_models(const RowText& records, std::size_t top) {
    Tally types, airlines;
    MissingModels out;
    for (std::size_t r = 0; r < records.row_count(); ++r) {
        const std::string_view row = records.row(r);
        if (row.empty()) continue;
        const auto fields = record_fields(row);
        if (fields.size() <= kPlaneSpawnedField ||
            !common::contains(fields[kPlaneSpawnedField], "Default")) {
            continue;
        }
        ++types[common::trim_spaces(fields[kModelField])];
        ++airlines[common::trim_spaces(fields[kAirlineField])];
        ++out.total;
    }
    out.by_type = top_counts(types, top, out.total);
    out.by_airline = top_counts(airlines, top, out.total);
    return out;
}

}  // namespace logs

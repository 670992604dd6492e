#include "logs/missing_models.hpp"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "common/text.hpp"

namespace logs {
namespace {

// Counts per name in one open-addressed table: a log whose airlines never repeat adds a name per
// record, and a node allocation each (std::unordered_map) was most of the time.
class Tally {
  public:
    void add(std::string_view name) {
        if ((used_ + 1) * 2 > slots_.size()) grow();
        Slot& s = find(slots_, name);
        if (s.count++ == 0) {
            s.name = name;
            ++used_;
        }
    }
    [[nodiscard]] std::vector<std::pair<std::string_view, std::int64_t>> entries() const {
        std::vector<std::pair<std::string_view, std::int64_t>> out;
        out.reserve(used_);
        for (const Slot& s : slots_) {
            if (s.count > 0) out.emplace_back(s.name, s.count);
        }
        return out;
    }

  private:
    struct Slot {
        std::string_view name;
        std::int64_t count = 0;
    };
    static Slot& find(std::vector<Slot>& slots, std::string_view name) {
        const std::size_t mask = slots.size() - 1;
        const std::size_t hash = std::hash<std::string_view>{}(name);
        std::size_t i = hash & mask;
        while (slots[i].count > 0 && slots[i].name != name) i = (i + 1) & mask;
        return slots[i];
    }
    void grow() {
        std::vector<Slot> bigger(std::max<std::size_t>(64, slots_.size() * 2));
        for (const Slot& s : slots_) {
            if (s.count > 0) find(bigger, s.name) = s;
        }
        slots_ = std::move(bigger);
    }

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

// The field positions of a record row (see ParseResult::records).
constexpr std::size_t kModelField = 2;
constexpr std::size_t kAirlineField = 3;
constexpr std::size_t kPlaneSpawnedField = 5;

// The fields up to Plane Spawned, cut where the table cuts them; false when the row has fewer.
bool cut_fields(std::string_view row, std::array<std::string_view, kPlaneSpawnedField + 1>& f) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const auto comma = row.find(',', begin);
        if (comma == std::string_view::npos && i + 1 < f.size()) return false;
        f[i] = row.substr(begin, comma == std::string_view::npos ? row.npos : comma - begin);
        begin = comma + 1;
    }
    return true;
}

TopCounts top_counts(const Tally& tally, std::size_t top, std::int64_t total) {
    std::vector<std::pair<std::string_view, std::int64_t>> all = tally.entries();
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
    std::array<std::string_view, kPlaneSpawnedField + 1> fields;
    for (std::size_t r = 0; r < records.row_count(); ++r) {
        if (!cut_fields(records.row(r), fields) ||
            !common::contains(fields[kPlaneSpawnedField], "Default")) {
            continue;
        }
        types.add(common::trim_spaces(fields[kModelField]));
        airlines.add(common::trim_spaces(fields[kAirlineField]));
        ++out.total;
    }
    out.by_type = top_counts(types, top, out.total);
    out.by_airline = top_counts(airlines, top, out.total);
    return out;
}

}  // namespace logs

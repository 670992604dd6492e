#pragma once
// The default-model spawns of a parse counted by type and by airline, for the "Missing models"
// chart. They are the records the suggestions come from, so every bar has a suggestion to go to.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logs/row_text.hpp"

namespace logs {

struct NameCount {
    std::string name;
    std::int64_t count = 0;

    friend bool operator==(const NameCount&, const NameCount&) = default;
};

// The most frequent names, by count descending and then by name, and the rest summed.
struct TopCounts {
    std::vector<NameCount> top;
    std::int64_t others = 0;        // spawns of the names past the top
    std::int64_t others_names = 0;  // how many names those are
};

struct MissingModels {
    TopCounts by_type;
    TopCounts by_airline;
    std::int64_t total = 0;  // default-model records
};

inline constexpr std::size_t kMissingModelsTop = 20;

// A record counts when its Plane Spawned field holds "Default", the condition under which the
// parser makes a suggestion candidate; the type and airline are its Model and Airline fields
// without surrounding spaces. One pass over the records, then a partial sort of the top.
MissingModels count_missing_models(const RowText& records, std::size_t top = kMissingModelsTop);

}  // namespace logs

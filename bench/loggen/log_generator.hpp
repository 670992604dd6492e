#pragma once
// Deterministic add-on logs for benchmarks and tests: a day of spawn groups made of the line
// forms the parser reacts to, plus the noise lines a real log carries. The same options always
// give the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace loggen {

enum class LineEnds { CrLf, Lf, Cr };

// Realistic: airline/model pairs level off at a few thousand, as in a real day. The others never
// repeat where the result lists and the default list look for repeats.
enum class Vocabulary {
    Realistic,
    DistinctModels,    // every group looks its model up by a name of its own
    DistinctAirlines,  // every group flies for an airline of its own
    LongDefaultRefs,   // every group falls back to a default model, under a long ref of its own
};

struct LogOptions {
    std::size_t groups = 1000;  // "Model matching" groups; about 1 KB each
    std::uint64_t seed = 1;
    LineEnds line_ends = LineEnds::CrLf;
    Vocabulary vocabulary = Vocabulary::Realistic;
    double default_fraction = 0.10;  // share of spawns that fall back to a default model
    // Share of groups written without a "matched" line (the parser skips them whole), without a
    // "Spawn" line or without a "Setting ... for" line (the previous group's value carries over).
    double unmatched_fraction = 0.03;
    double no_spawn_fraction = 0.02;
    double no_setting_fraction = 0.02;
};

// What the generator wrote, counted while writing, so a parse can be checked against it.
struct LogFacts {
    std::size_t matched_groups = 0;    // groups with a "matched" line: one record each
    std::size_t counted_failures = 0;  // "failed to model" lines inside matched groups
    std::size_t default_spawns = 0;    // matched groups spawned with a default model
    std::size_t failed_to_read_lines = 0;
    std::size_t addon_title_lines = 0;
};

struct GeneratedLog {
    std::string text;
    LogFacts facts;
};

GeneratedLog generate_log(const LogOptions& options);

// Writes generate_log(options).text to path; false when the file cannot be written.
bool write_log(const std::string& path, const LogOptions& options);

}  // namespace loggen

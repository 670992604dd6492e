#pragma once
// The road of a chosen log: read it, parse it, keep the results, write the result lists, and
// tell the caller which messages to show. Shared by the window and the headless companion.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/program_layout.hpp"
#include "common/file_io.hpp"
#include "common/message.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"

namespace app {

struct LogState {
    std::string path;  // the log read last
    std::string log_text;
    logs::LogReader reader;  // has read log_text into parse
    logs::ParseResult parse;
    logs::ResultTexts results;  // nomatch_text, matched_text, models_text
    // Records were added since the result lists were made (the lists are built newest first,
    // so each addition would rebuild them whole): they are made again when they are needed.
    bool results_stale = false;
    bool busy_flag = false;
    std::vector<common::FileError> write_errors;  // result files that could not be written
};

// Follow mode: what the follower saw last, so that it only acts on a change.
struct FollowState {
    bool on = false;
    std::optional<common::FileStamp> file;  // the chosen log when it was last read
    bool read_error_shown = false;          // one message for a run of failed reads
    bool stop_shown = false;                // one message for a parse that stopped
};

struct ChooseOutcome {
    bool started = false;                         // false: a parse was already running
    std::optional<common::FileError> read_error;  // the log could not be read
    std::vector<common::Message> messages;        // in the order the window shows them
};

// Default header height of the spawn table in twips, used for the scroll bar's LargeChange
// when no window measured a real one.
inline constexpr std::int64_t kDefaultHeaderHeightTwips = 195;

// The parser's options as the program uses them: suggestions classified by matching::get_text4.
logs::ParseOptions parse_options(std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// Parses the log text (already read) into the state and writes the result lists when records
// were found.
ChooseOutcome parse_log_text(LogState& state, std::string log_text, const ProgramLayout& layout,
                             std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// A log bigger than a piece is read and parsed a piece at a time; between pieces `tell` gets
// the bytes read and the size, and false from it cancels the reading.
struct Progress {
    std::function<bool(std::uint64_t done, std::uint64_t total)> tell;
    std::uint64_t piece_bytes = 32u << 20;

    explicit operator bool() const { return static_cast<bool>(tell); }
};

// Deletes the stale "tmp" file, reads the log at path and parses it. A log that cannot be read
// is reported with its path and cause, and leaves an empty parse. A cancelled reading keeps the
// records read so far and says so.
ChooseOutcome choose_log(LogState& state, const std::string& log_path, const ProgramLayout& layout,
                         std::int64_t header_height_twips = kDefaultHeaderHeightTwips,
                         const Progress& progress = {});

// Brings the result lists up to the records and writes them, when records were added since;
// returns the files that could not be written.
std::vector<common::FileError> ensure_result_lists(LogState& state, const ProgramLayout& layout);

// "Failed:N" and whether it shows in red.
std::string failed_caption(const LogState& state);
bool failed_caption_red(const LogState& state);

// The message for a parse that stopped at a group whose first line lacks "with airline:".
std::string stopped_early_message(const logs::ParseResult& parse);

}  // namespace app

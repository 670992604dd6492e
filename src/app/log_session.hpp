#pragma once
// The road of a chosen log: read it, parse it, keep the results, write the result lists, and
// tell the caller which messages to show. Shared by the window and the headless companion.

#include <cstdint>
#include <string>
#include <vector>

#include "common/message.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"

namespace app {

struct LogState {
    std::string log_text;
    logs::ParseResult parse;
    logs::ResultTexts results;  // nomatch_text, matched_text, models_text
    bool busy_flag = false;
    bool result_files_failed = false;  // a result file could not be written
};

struct ChooseOutcome {
    bool started = false;                   // false: a parse was already running
    std::vector<common::Message> messages;  // in the order the window shows them
};

// Default header height of the spawn table in twips, used for the scroll bar's LargeChange
// when no window measured a real one.
inline constexpr std::int64_t kDefaultHeaderHeightTwips = 195;

// The parser's options as the program uses them: suggestions classified by matching::get_text4.
logs::ParseOptions parse_options(std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// Parses the log text (already read) into the state and writes the result lists under
// models_folder when records were found.
ChooseOutcome parse_log_text(LogState& state, std::string log_text,
                             const std::string& models_folder,
                             std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// Reads the log at path (a missing file reads as empty), then parse_log_text. Deletes the file
// "tmp" in the program folder first, as choosing a log always did.
ChooseOutcome choose_log(LogState& state, const std::string& log_path,
                         const std::string& program_folder,
                         std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// "Failed:N" and whether it shows in red.
std::string failed_caption(const LogState& state);
bool failed_caption_red(const LogState& state);

}  // namespace app

#pragma once
// Turns the text of one add-on log into spawn records: one record per "Model matching" group,
// the failed-match count, the aircraft spawned with a default model and the suggestions for them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logs/row_text.hpp"

namespace logs {

// Classifies a default-model spawn (" Model?" or " Livery?"); the log code gets it injected so
// that it does not depend on the matching subsystem.
using Classifier = std::string (*)(std::string_view s6);

struct ParseOptions {
    Classifier get_text4 = nullptr;
    // Height of the table's header label in twips; with the 100-twip gap it is the row pitch
    // that the scroll bar's LargeChange is measured in.
    std::int64_t header_height_twips = 0;
};

struct ParseResult {
    RowText records;  // records_text: newest record first, each ended by CR LF
    std::int64_t record_count = 0;
    std::string defaults_list;                   // "ref#callsign," per default-model aircraft
    std::vector<std::string> suggestions;        // List1(0)
    std::vector<std::string> suggestion_models;  // List1(1), same index
    std::int64_t fail_count = 0;
    // A group's first line lacked "with airline:": the parse ended there and none of the
    // finishing steps (table page, "Failed:" caption, result files, messages) applies.
    bool stopped_early = false;
    std::int64_t scroll_max = 0;
    std::int64_t scroll_large_change = 1;
    // Cut steps that failed, in order: their number and the first few descriptions.
    std::int64_t failed_steps = 0;
    std::vector<std::string> failed_step_descriptions;

    [[nodiscard]] const std::string& records_text() const noexcept { return records.text(); }
};

inline constexpr std::size_t kMaxFailureDescriptions = 5;

// Every line end of the log (CR LF, a bare CR, a bare LF) reads as CR LF. No field of a record
// holds a CR or LF: every field is cut from one line without its line end.
ParseResult get_list4(std::string_view log_text, const ParseOptions& options);

// Parses a log that only grows at its end, reading each byte about once: a group is complete
// once the next "Model matching" follows it, so only the last, still open group is read again
// when bytes are added. After every feed the result is the one get_list4 gives for the whole
// text so far.
class LogReader {
  public:
    explicit LogReader(ParseOptions options = {});
    ~LogReader();
    LogReader(LogReader&&) noexcept;
    LogReader& operator=(LogReader&&) noexcept;

    // `text` is the whole log so far; it starts with the text of the previous feed, and `result`
    // is the one that feed updated (a new reader starts from an empty result). Returns how many
    // rows the records that stayed moved down in the records text (records newest first; -1
    // when the open group's record went away).
    std::int64_t feed(std::string_view text, ParseResult& result);
    // The length of the text fed last.
    [[nodiscard]] std::size_t fed_size() const noexcept;

  private:
    struct State;
    std::unique_ptr<State> s_;
};

// The one message that reports the failed cut steps of a parse, or "" when none failed.
std::string failed_steps_message(const ParseResult& result);

}  // namespace logs

#include "logs/log_parser.hpp"

#include <unordered_set>

#include "common/substring_index.hpp"
#include "common/text.hpp"

namespace logs {
namespace {

using common::contains;
using common::trim_spaces;

// The markers, and the cut positions that go with them, counted from the start of the marker.
constexpr std::string_view kGroupMarker = "Model matching";
constexpr std::size_t kLine0Skip = 2;  // ": " after the group marker
constexpr std::string_view kWithAirline = "with airline:";
constexpr std::string_view kInfo = "[INF]";
// The time starts this many characters after the CR of the CR LF that ends line 0 (the CR is
// character 0): at the day of a 2024-05-01 date.
constexpr std::size_t kTimeAfterCr = 10;
constexpr std::string_view kMatched = "matched";
constexpr std::size_t kAfterMatched = 14;  // "matched type: "
constexpr std::string_view kSpawn = "Spawn";
constexpr std::size_t kAfterSpawn = 17;  // "Spawned AI plane "
constexpr std::string_view kLat = " lat:";
constexpr std::string_view kSetting = "Setting";
constexpr std::string_view kFor = "for";
constexpr std::size_t kAfterFor = 4;  // "for "
constexpr std::string_view kDefaultModel = " (Default Model)";

std::string_view tail_from(std::string_view s, std::size_t pos) {
    return pos >= s.size() ? std::string_view{} : s.substr(pos);
}

// The state that one parse carries from group to group. Fields are views into the log, except
// the model text, which the parser rewrites.
//
// No record holds a CR or LF. Lines are cut at every CR and every LF, so no line holds either;
// the time, ref, call sign and model name are pieces of one line, and the model text is the
// tail of one line with "," and " (Default Model)" put in. The result lists rely on it: a
// needle without line ends cannot span two of their lines.
class Parser {
  public:
    Parser(const ParseOptions& options, ParseResult& result) : options_(options), r_(result) {}

    // Returns false when the parse must stop at once.
    bool block(std::string_view block, std::size_t block_no) {
        block_no_ = block_no;
        if (block.empty() || !contains(block, kMatched)) return true;

        LineCursor lines(block);
        std::string_view line0;
        lines.next(line0);
        cut_time(block, line0, lines);

        line0 = tail_from(line0, kLine0Skip);
        const auto airline_pos = line0.find(kWithAirline);
        if (airline_pos == std::string_view::npos) return false;
        model_name_ = trim_spaces(line0.substr(0, airline_pos));

        for (std::string_view l; lines.next(l);) line(l);
        finish_block();
        return true;
    }

    // The default list and the suggestions, then the records text, newest first.
    void finish() {
        list_defaults();
        list_suggestions();
        std::string text;
        text.reserve(records_.size() + 2 * record_ends_.size());
        for (std::size_t k = record_ends_.size(); k-- > 0;) {
            const std::size_t begin = k == 0 ? 0 : record_ends_[k - 1];
            text.append(records_, begin, record_ends_[k] - begin).append("\r\n");
        }
        std::string().swap(records_);
        r_.records.assign(std::move(text));
    }

  private:
    void fail(std::string description) {
        ++r_.failed_steps;
        if (r_.failed_step_descriptions.size() < kMaxFailureDescriptions) {
            r_.failed_step_descriptions.push_back("Group " + std::to_string(block_no_) + ": " +
                                                  std::move(description));
        }
    }

    // Hour and minute from the time stamp of the first line after the "Model matching" line.
    // `rest` stands after line 0.
    void cut_time(std::string_view block, std::string_view line0, LineCursor rest) {
        time_ = {};
        const auto inf = block.find(kInfo);
        if (inf == std::string_view::npos) return;
        std::string_view t;
        std::string_view line1;
        if (line0.size() < inf && rest.next(line1)) {
            // Only that one line: a first line that is a warning must not pull the next
            // line's text into the time.
            auto stamp_end = line1.find(kInfo);
            if (stamp_end == std::string_view::npos) stamp_end = line1.find('[');
            t = tail_from(line1.substr(0, stamp_end), kTimeAfterCr - common::kCrLf.size());
        } else {
            t = block.substr(0, inf);
        }
        const auto space = t.find(' ');
        if (space != std::string_view::npos) t = t.substr(space + 1);
        t = trim_spaces(t);
        const auto last_space = t.rfind(' ');
        if (last_space == std::string_view::npos) {
            fail("no blank before the time zone in the time stamp \"" + std::string(t) + "\"");
        } else {
            t = t.substr(0, last_space);
        }
        const auto last_colon = t.rfind(':');
        if (last_colon == std::string_view::npos) {
            fail("no \":\" in the time stamp \"" + std::string(t) + "\"");
        } else {
            t = t.substr(0, last_colon);
        }
        time_ = t;
    }

    void line(std::string_view l) {
        if (contains(l, "Got data") || contains(l, "Updating") || contains(l, "https")) l = {};
        if (!l.empty() && common::contains_ignore_case(l, "failed to model")) {
            fallback_flag_ = true;
            ++r_.fail_count;
        }
        if (contains(l, "Deleting") || contains(l, "Recie") || contains(l, "Telep")) l = {};
        if (l.empty()) return;

        const auto matched = l.find(kMatched);
        if (matched != std::string_view::npos) {
            model_text_ = common::replace_all(tail_from(l, matched + kAfterMatched), "with:", ",");
            model_text_ = common::replace_all(model_text_, "airline:", ",");
            if (fallback_flag_) {
                model_text_ += kDefaultModel;
                fallback_flag_ = false;
            }
            return;
        }
        const auto spawn = l.find(kSpawn);
        if (spawn != std::string_view::npos) {
            fallback_flag_ = false;
            const std::string_view rest = tail_from(l, spawn + kAfterSpawn);
            const auto lat = rest.find(kLat);
            if (lat == std::string_view::npos) {
                fail("no \" lat:\" after \"Spawn\" in \"" + std::string(trim_spaces(l)) + "\"");
                ref_ = rest;
            } else {
                ref_ = rest.substr(0, lat);
            }
        }
        if (contains(l, kSetting)) {
            const auto f = l.find(kFor);
            if (f != std::string_view::npos) call_sign_ = tail_from(l, f + kAfterFor);
        }
    }

    void finish_block() {
        const auto parts = common::split(model_text_, ",");
        const std::string_view plane_spawned = parts.size() > 3 ? parts[3] : std::string_view(" ");

        if (contains(plane_spawned, "(Def")) default_spawns_.push_back({ref_, call_sign_});

        if (parts.size() >= 3) {
            for (const std::string_view field :
                 {time_, ref_, parts[0], parts[2], model_name_, plane_spawned}) {
                records_.append(field).push_back(',');
            }
            records_.append(call_sign_);
            record_ends_.push_back(records_.size());
        } else {
            fail("the model line has fewer than three parts: \"" + model_text_ + "\"");
        }

        if (contains(plane_spawned, "Default")) {
            std::string s6(parts[0]);
            s6.append(",").append(model_name_).append(">").append(plane_spawned);
            std::string entry = options_.get_text4 ? options_.get_text4(s6) : std::string();
            entry.append(":")
                .append(trim_spaces(parts[0]))
                .append(",")
                .append(trim_spaces(parts[2]));
            // A repeat of an earlier candidate is never listed: that one is in the seen text
            // by then, listed or found there.
            if (candidate_entries_.insert(entry).second) {
                std::string model_entry(model_name_);
                model_entry.append(" > ").append(plane_spawned);
                suggestion_candidates_.push_back({std::move(entry), std::move(model_entry)});
            }
        }
        ++r_.record_count;
    }

    // An aircraft enters the default list when its ref (untrimmed) does not occur in the list so
    // far. The refs are known now, so one automaton over them answers as the list grows.
    void list_defaults() {
        std::vector<std::string_view> refs;
        refs.reserve(default_spawns_.size());
        for (const auto& d : default_spawns_) refs.push_back(d.ref);
        common::SubstringIndex listed(refs);
        std::string& list = r_.defaults_list;
        for (std::size_t i = 0; i < default_spawns_.size(); ++i) {
            if (listed.contains(i)) continue;
            const std::size_t from = list.size();
            list.append(trim_spaces(default_spawns_[i].ref))
                .append("#")
                .append(trim_spaces(default_spawns_[i].call_sign))
                .append(",");
            listed.append(std::string_view(list).substr(from));
        }
    }

    // A suggestion is listed when it does not occur in the listed ones joined without separator.
    void list_suggestions() {
        std::vector<std::string_view> entries;
        entries.reserve(suggestion_candidates_.size());
        for (const auto& c : suggestion_candidates_) entries.push_back(c.entry);
        common::SubstringIndex seen(entries);
        for (std::size_t i = 0; i < suggestion_candidates_.size(); ++i) {
            if (seen.contains(i)) continue;
            seen.append(suggestion_candidates_[i].entry);
            r_.suggestions.push_back(std::move(suggestion_candidates_[i].entry));
            r_.suggestion_models.push_back(std::move(suggestion_candidates_[i].model_entry));
        }
    }

    struct DefaultSpawn {
        std::string_view ref, call_sign;
    };
    struct SuggestionCandidate {
        std::string entry;        // List1(0)
        std::string model_entry;  // List1(1)
    };

    const ParseOptions& options_;
    ParseResult& r_;
    std::size_t block_no_ = 0;
    std::string model_text_;
    std::string_view ref_, call_sign_, time_, model_name_;
    bool fallback_flag_ = false;
    std::string records_;  // oldest first, without line ends
    std::vector<std::size_t> record_ends_;
    std::vector<DefaultSpawn> default_spawns_;
    std::unordered_set<std::string> candidate_entries_;
    std::vector<SuggestionCandidate> suggestion_candidates_;
};

}  // namespace

ParseResult get_list4(std::string_view text, const ParseOptions& options) {
    ParseResult result;
    Parser parser(options, result);
    std::size_t start = 0;
    std::size_t block_no = 0;
    while (true) {
        const auto hit = text.find(kGroupMarker, start);
        const std::string_view block = text.substr(
            start, hit == std::string_view::npos ? std::string_view::npos : hit - start);
        if (!parser.block(block, block_no)) {
            result.stopped_early = true;
            break;
        }
        if (hit == std::string_view::npos) break;
        start = hit + kGroupMarker.size();
        ++block_no;
    }
    parser.finish();

    if (!result.stopped_early) {
        const std::int64_t n = result.record_count;
        result.scroll_max = n >= 25 ? n : 0;
        result.scroll_large_change =
            n <= 25
                ? 1
                : common::round_half_even(static_cast<double>(options.header_height_twips + 100) *
                                          static_cast<double>(n + 1) / 26.0);
    }
    return result;
}

std::string failed_steps_message(const ParseResult& result) {
    if (result.failed_steps == 0) return {};
    std::string msg = std::to_string(result.failed_steps) +
                      (result.failed_steps == 1 ? " step" : " steps") +
                      " of reading the log failed; the fields concerned keep the text cut so far.";
    for (const auto& d : result.failed_step_descriptions) msg.append("\r\n").append(d);
    if (result.failed_steps > static_cast<std::int64_t>(result.failed_step_descriptions.size())) {
        msg.append("\r\n...");
    }
    return msg;
}

}  // namespace logs

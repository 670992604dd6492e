#include "logs/log_parser.hpp"

#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

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

// What one group leaves for the next: a group without a "Spawn" or "Setting" line keeps the ref
// or call sign of the one before. Owned, since a growing log's text moves.
struct Carried {
    std::string model_text, ref, call_sign, time, model_name;
    bool fallback_flag = false;
};

struct DefaultSpawn {
    std::string ref, call_sign;
};
struct SuggestionCandidate {
    std::string entry;        // List1(0)
    std::string model_entry;  // List1(1)
};

// Where everything stood before the open group was read, so that it can be read again.
struct Checkpoint {
    Carried carried;
    std::size_t records_bytes = 0, records = 0, defaults = 0, candidates = 0;
    std::size_t defaults_done = 0, defaults_list_bytes = 0;
    std::size_t candidates_done = 0, suggestions = 0, seen_bytes = 0;
    std::int64_t record_count = 0, fail_count = 0, failed_steps = 0;
    std::size_t descriptions = 0;
};

// A batch this small is tested with find on the listed text; a larger one gets an automaton
// over its needles, so one pass over the listed text answers the whole batch.
constexpr std::size_t kSmallBatch = 4;

}  // namespace

// No record holds a CR or LF. Lines are cut at every CR and every LF, so no line holds either;
// the time, ref, call sign and model name are pieces of one line, and the model text is the
// tail of one line with "," and " (Default Model)" put in. The result lists rely on it: a
// needle without line ends cannot span two of their lines.
struct LogReader::State {
    explicit State(ParseOptions o) : options(o) {}

    // Returns false when the parse must stop at once.
    bool block(std::string_view block, ParseResult& r) {
        if (block.empty() || !contains(block, kMatched)) return true;

        LineCursor lines(block);
        std::string_view line0;
        lines.next(line0);
        cut_time(block, line0, lines, r);

        line0 = tail_from(line0, kLine0Skip);
        const auto airline_pos = line0.find(kWithAirline);
        if (airline_pos == std::string_view::npos) return false;
        c.model_name = trim_spaces(line0.substr(0, airline_pos));

        for (std::string_view l; lines.next(l);) line(l, r);
        finish_block(r);
        return true;
    }

    void fail(std::string description, ParseResult& r) const {
        ++r.failed_steps;
        if (r.failed_step_descriptions.size() < kMaxFailureDescriptions) {
            r.failed_step_descriptions.push_back("Group " + std::to_string(block_no) + ": " +
                                                 std::move(description));
        }
    }

    // Hour and minute from the time stamp of the first line after the "Model matching" line.
    // `rest` stands after line 0.
    void cut_time(std::string_view block, std::string_view line0, LineCursor rest, ParseResult& r) {
        c.time.clear();
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
            fail("no blank before the time zone in the time stamp \"" + std::string(t) + "\"", r);
        } else {
            t = t.substr(0, last_space);
        }
        const auto last_colon = t.rfind(':');
        if (last_colon == std::string_view::npos) {
            fail("no \":\" in the time stamp \"" + std::string(t) + "\"", r);
        } else {
            t = t.substr(0, last_colon);
        }
        c.time = t;
    }

    void line(std::string_view l, ParseResult& r) {
        if (contains(l, "Got data") || contains(l, "Updating") || contains(l, "https")) l = {};
        if (!l.empty() && common::contains_ignore_case(l, "failed to model")) {
            c.fallback_flag = true;
            ++r.fail_count;
        }
        if (contains(l, "Deleting") || contains(l, "Recie") || contains(l, "Telep")) l = {};
        if (l.empty()) return;

        const auto matched = l.find(kMatched);
        if (matched != std::string_view::npos) {
            c.model_text = common::replace_all(tail_from(l, matched + kAfterMatched), "with:", ",");
            c.model_text = common::replace_all(c.model_text, "airline:", ",");
            if (c.fallback_flag) {
                c.model_text += kDefaultModel;
                c.fallback_flag = false;
            }
            return;
        }
        const auto spawn = l.find(kSpawn);
        if (spawn != std::string_view::npos) {
            c.fallback_flag = false;
            const std::string_view rest = tail_from(l, spawn + kAfterSpawn);
            const auto lat = rest.find(kLat);
            if (lat == std::string_view::npos) {
                fail("no \" lat:\" after \"Spawn\" in \"" + std::string(trim_spaces(l)) + "\"", r);
                c.ref = rest;
            } else {
                c.ref = rest.substr(0, lat);
            }
        }
        if (contains(l, kSetting)) {
            const auto f = l.find(kFor);
            if (f != std::string_view::npos) c.call_sign = tail_from(l, f + kAfterFor);
        }
    }

    void finish_block(ParseResult& r) {
        const auto parts = common::split(c.model_text, ",");
        const std::string_view plane_spawned = parts.size() > 3 ? parts[3] : std::string_view(" ");

        if (contains(plane_spawned, "(Def")) default_spawns.push_back({c.ref, c.call_sign});

        if (parts.size() >= 3) {
            for (const std::string_view field :
                 {std::string_view(c.time), std::string_view(c.ref), parts[0], parts[2],
                  std::string_view(c.model_name), plane_spawned}) {
                records.append(field).push_back(',');
            }
            records.append(c.call_sign);
            record_ends.push_back(records.size());
        } else {
            fail("the model line has fewer than three parts: \"" + c.model_text + "\"", r);
        }

        if (contains(plane_spawned, "Default")) {
            std::string s6(parts[0]);
            s6.append(",").append(c.model_name).append(">").append(plane_spawned);
            std::string entry = options.get_text4 ? options.get_text4(s6) : std::string();
            entry.append(":")
                .append(trim_spaces(parts[0]))
                .append(",")
                .append(trim_spaces(parts[2]));
            // A repeat of an earlier candidate is never listed: that one is in the seen text
            // by then, listed or found there.
            if (candidate_entries.insert(entry).second) {
                std::string model_entry(c.model_name);
                model_entry.append(" > ").append(plane_spawned);
                candidates.push_back({std::move(entry), std::move(model_entry)});
            }
        }
        ++r.record_count;
    }

    // Lists the items [first, last) of a batch whose needle does not occur in text, the listed
    // text, in order; add(i) lists item i and returns what it appended to text. A small batch
    // searches text itself; a larger one feeds an automaton of its needles the text once.
    template <class Needle, class Add>
    static void list_unseen(std::size_t first, std::size_t last, const std::string& text,
                            Needle needle, Add add) {
        if (last - first <= kSmallBatch) {
            for (std::size_t i = first; i < last; ++i) {
                if (text.find(needle(i)) == std::string::npos) add(i);
            }
            return;
        }
        std::vector<std::string_view> needles;
        needles.reserve(last - first);
        for (std::size_t i = first; i < last; ++i) needles.push_back(needle(i));
        common::SubstringIndex listed(needles);
        listed.append(text);
        for (std::size_t i = first; i < last; ++i) {
            if (!listed.contains(i - first)) listed.append(add(i));
        }
    }

    // An aircraft enters the default list when its ref (untrimmed) does not occur in the list so
    // far.
    void list_defaults(ParseResult& r) {
        std::string& list = r.defaults_list;
        const std::size_t first = std::exchange(defaults_done, default_spawns.size());
        list_unseen(
            first, defaults_done, list,
            [&](std::size_t i) -> std::string_view { return default_spawns[i].ref; },
            [&](std::size_t i) {
                const std::size_t from = list.size();
                list.append(trim_spaces(default_spawns[i].ref))
                    .append("#")
                    .append(trim_spaces(default_spawns[i].call_sign))
                    .append(",");
                return std::string_view(list).substr(from);
            });
    }

    // A suggestion is listed when it does not occur in the listed ones joined without separator.
    void list_suggestions(ParseResult& r) {
        const std::size_t first = std::exchange(candidates_done, candidates.size());
        list_unseen(
            first, candidates_done, seen,
            [&](std::size_t i) -> std::string_view { return candidates[i].entry; },
            [&](std::size_t i) {
                seen.append(candidates[i].entry);
                r.suggestions.push_back(candidates[i].entry);
                r.suggestion_models.push_back(candidates[i].model_entry);
                return std::string_view(candidates[i].entry);
            });
    }

    [[nodiscard]] Checkpoint checkpoint(const ParseResult& r) const {
        return Checkpoint{c,
                          records.size(),
                          record_ends.size(),
                          default_spawns.size(),
                          candidates.size(),
                          defaults_done,
                          r.defaults_list.size(),
                          candidates_done,
                          r.suggestions.size(),
                          seen.size(),
                          r.record_count,
                          r.fail_count,
                          r.failed_steps,
                          r.failed_step_descriptions.size()};
    }

    // Forgets what the open group added.
    void roll_back(const Checkpoint& k, ParseResult& r) {
        c = k.carried;
        records.resize(k.records_bytes);
        record_ends.resize(k.records);
        default_spawns.resize(k.defaults);
        for (std::size_t i = k.candidates; i < candidates.size(); ++i) {
            candidate_entries.erase(candidates[i].entry);
        }
        candidates.resize(k.candidates);
        defaults_done = k.defaults_done;
        r.defaults_list.resize(k.defaults_list_bytes);
        candidates_done = k.candidates_done;
        r.suggestions.resize(k.suggestions);
        r.suggestion_models.resize(k.suggestions);
        seen.resize(k.seen_bytes);
        r.record_count = k.record_count;
        r.fail_count = k.fail_count;
        r.failed_steps = k.failed_steps;
        r.failed_step_descriptions.resize(k.descriptions);
        r.stopped_early = false;
    }

    // Puts the records from `kept` on in front of the records text, newest first.
    void publish(std::size_t kept, ParseResult& r) {
        std::string front;
        if (record_ends.size() > kept) {
            front.reserve(record_ends.back() - (kept == 0 ? 0 : record_ends[kept - 1]) +
                          2 * (record_ends.size() - kept));
        }
        for (std::size_t k = record_ends.size(); k-- > kept;) {
            const std::size_t begin = k == 0 ? 0 : record_ends[k - 1];
            front.append(records, begin, record_ends[k] - begin).append("\r\n");
        }
        r.records.replace_front(published - kept, front);
        published = record_ends.size();

        const std::int64_t n = r.record_count;
        r.scroll_max = !r.stopped_early && n >= 25 ? n : 0;
        r.scroll_large_change =
            r.stopped_early || n <= 25
                ? 1
                : common::round_half_even(static_cast<double>(options.header_height_twips + 100) *
                                          static_cast<double>(n + 1) / 26.0);
    }

    ParseOptions options;
    Carried c;
    std::size_t block_no = 0;    // number of the open group (0: the text before any marker)
    std::size_t open_start = 0;  // where the open group starts in the text
    std::size_t fed = 0;
    bool stopped = false;  // a complete group stopped the parse: nothing after it counts
    std::optional<Checkpoint> before_open;
    std::size_t published = 0;  // records in the result's records text

    std::string records;  // oldest first, without line ends
    std::vector<std::size_t> record_ends;
    std::vector<DefaultSpawn> default_spawns;
    std::size_t defaults_done = 0;
    std::unordered_set<std::string> candidate_entries;
    std::vector<SuggestionCandidate> candidates;
    std::size_t candidates_done = 0;
    std::string seen;  // the listed suggestions joined
};

LogReader::LogReader(ParseOptions options) : s_(std::make_unique<State>(options)) {}
LogReader::~LogReader() = default;
LogReader::LogReader(LogReader&&) noexcept = default;
LogReader& LogReader::operator=(LogReader&&) noexcept = default;

std::size_t LogReader::fed_size() const noexcept {
    return s_->fed;
}

std::int64_t LogReader::feed(std::string_view text, ParseResult& r) {
    State& s = *s_;
    s.fed = text.size();
    if (s.stopped) return 0;
    if (s.before_open) {
        s.roll_back(*s.before_open, r);
        s.before_open.reset();
    }
    const std::size_t kept = s.record_ends.size();
    const std::size_t published_before = s.published;

    for (std::size_t hit;
         (hit = text.find(kGroupMarker, s.open_start)) != std::string_view::npos;) {
        if (!s.block(text.substr(s.open_start, hit - s.open_start), r)) {
            s.stopped = r.stopped_early = true;
            break;
        }
        s.open_start = hit + kGroupMarker.size();
        ++s.block_no;
    }
    if (!s.stopped) {
        // The last group may still grow: read it on top of a checkpoint.
        s.list_defaults(r);
        s.list_suggestions(r);
        s.before_open = s.checkpoint(r);
        if (!s.block(text.substr(s.open_start), r)) r.stopped_early = true;
    }
    s.list_defaults(r);
    s.list_suggestions(r);
    s.publish(kept, r);
    return static_cast<std::int64_t>(s.published) - static_cast<std::int64_t>(published_before);
}

ParseResult get_list4(std::string_view text, const ParseOptions& options) {
    ParseResult result;
    LogReader(options).feed(text, result);
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

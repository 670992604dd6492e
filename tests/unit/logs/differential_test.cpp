// The parser and the result lists build their texts in linear time (records collected and
// reversed, substring tests answered by automata over the needles, lines linked in document
// order). A plain version that follows the steps word by word (every line end made CR LF first,
// prepending every record, std::string::find on the growing texts, inserting into the growing
// list) runs on the same inputs, and every output must be identical.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "log_generator.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"
#include "logs/row_text.hpp"
#include "matching/suggestions.hpp"

namespace {

constexpr auto npos = std::string::npos;

// ---- Plain text helpers, written out here so the reference shares no code with the parser --

std::vector<std::string> split_all(const std::string& s, const std::string& sep) {
    std::vector<std::string> parts;
    if (s.empty()) return parts;  // a split of nothing has no parts
    std::size_t pos = 0;
    for (std::size_t hit; (hit = s.find(sep, pos)) != npos; pos = hit + sep.size()) {
        parts.push_back(s.substr(pos, hit - pos));
    }
    parts.push_back(s.substr(pos));
    return parts;
}

std::string mid(const std::string& s, std::size_t from) {
    return from >= s.size() ? std::string() : s.substr(from);
}

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

std::string lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

std::string replace(const std::string& s, const std::string& from, const std::string& to) {
    const std::vector<std::string> parts = split_all(s, from);
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i > 0 ? to : "") + parts[i];
    return out;
}

bool has(const std::string& hay, const std::string& needle) {
    return hay.find(needle) != npos;
}

// How often the inputs reached the paths where the fast versions differ most from the plain
// steps; each source must reach its paths, so that agreement is not agreement on trivia.
std::map<std::string, std::int64_t> g_reached;

// ---- The reference parser ------------------------------------------------------------------

// Every line end (CR LF, a bare CR, a bare LF) as CR LF.
std::string crlf_line_ends(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            out += "\r\n";
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

logs::ParseResult reference_parse(const std::string& raw_log, logs::Classifier get_text4,
                                  std::int64_t header) {
    logs::ParseResult r;
    const std::string log = crlf_line_ends(raw_log);

    std::string records_text, model_text, ref, call_sign, seen_suggestions;
    bool fallback_flag = false;
    for (const std::string& block : split_all(log, "Model matching")) {
        if (block.empty() || !has(block, "matched")) continue;

        // Time: from the first line after the "Model matching" line only.
        std::string time;
        const std::size_t inf = block.find("[INF]");
        if (inf != npos) {
            std::string t = block.substr(0, inf);
            const std::size_t cr = t.find('\r');
            if (cr != npos) {
                const std::size_t next = block.find('\r', cr + 1);
                std::string line = block.substr(cr, next == npos ? npos : next - cr);
                std::size_t tag = line.find("[INF]");
                if (tag == npos) tag = line.find('[');
                t = mid(line.substr(0, tag), 10);
            }
            const std::size_t space = t.find(' ');
            if (space != npos) t = t.substr(space + 1);
            t = trim(t);
            const std::size_t last_space = t.rfind(' ');
            if (last_space == npos) {
                ++r.failed_steps;
            } else {
                t = t.substr(0, last_space);
            }
            const std::size_t colon = t.rfind(':');
            if (colon == npos) {
                ++r.failed_steps;
            } else {
                t = t.substr(0, colon);
            }
            time = t;
        }

        const std::vector<std::string> lines = split_all(block, "\r");
        const std::string line0 = mid(lines[0], 2);
        const std::size_t wa = line0.find("with airline:");
        if (wa == npos) {
            r.stopped_early = true;
            ++g_reached["stops"];
            break;
        }
        const std::string model_name = trim(line0.substr(0, wa));

        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::string l = lines[i];
            if (has(l, "Got data") || has(l, "Updating") || has(l, "https")) l.clear();
            if (has(lower(l), "failed to model")) {
                fallback_flag = true;
                ++r.fail_count;
            }
            if (has(l, "Deleting") || has(l, "Recie") || has(l, "Telep")) l.clear();
            if (l.empty()) continue;
            const std::size_t m = l.find("matched");
            if (m != npos) {
                model_text = replace(replace(mid(l, m + 14), "with:", ","), "airline:", ",");
                if (fallback_flag) {
                    model_text += " (Default Model)";
                    fallback_flag = false;
                }
                continue;
            }
            const std::size_t sp = l.find("Spawn");
            if (sp != npos) {
                fallback_flag = false;
                const std::string rest = mid(l, sp + 17);
                const std::size_t lat = rest.find(" lat:");
                if (lat == npos) {
                    ++r.failed_steps;
                    ref = rest;
                } else {
                    ref = rest.substr(0, lat);
                }
            }
            const std::size_t f = l.find("for");
            if (has(l, "Setting") && f != npos) call_sign = mid(l, f + 4);
        }

        const std::vector<std::string> parts = split_all(model_text, ",");
        const std::string plane_spawned = parts.size() > 3 ? parts[3] : " ";
        if (has(plane_spawned, "(Def")) {
            if (!has(r.defaults_list, ref)) {
                r.defaults_list += trim(ref) + "#" + trim(call_sign) + ",";
                ++g_reached["defaults_added"];
            } else {
                ++g_reached["defaults_already_listed"];
            }
        }
        if (parts.size() >= 3) {
            records_text = time + "," + ref + "," + parts[0] + "," + parts[2] + "," + model_name +
                           "," + plane_spawned + "," + call_sign + "\r\n" + records_text;
            ++g_reached["records"];
        } else {
            ++r.failed_steps;
        }
        if (has(plane_spawned, "Default")) {
            const std::string entry = get_text4(parts[0] + "," + model_name + ">" + plane_spawned) +
                                      ":" + trim(parts[0]) + "," + trim(parts[2]);
            if (!has(seen_suggestions, entry)) {
                r.suggestions.push_back(entry);
                seen_suggestions += entry;
                r.suggestion_models.push_back(model_name + " > " + plane_spawned);
                ++g_reached["suggestions_added"];
            } else {
                ++g_reached["suggestions_already_seen"];
                bool inside_one = false;
                for (const auto& e : r.suggestions) inside_one = inside_one || has(e, entry);
                if (!inside_one) ++g_reached["suggestions_seen_across_two"];
            }
        }
        ++r.record_count;
    }
    r.records.assign(records_text);
    if (!r.stopped_early) {
        const std::int64_t n = r.record_count;
        r.scroll_max = n >= 25 ? n : 0;
        if (n > 25) {
            // (H + 100) * (n + 1) / 26, halves to even, in integers.
            const std::int64_t num = (header + 100) * (n + 1);
            std::int64_t q = num / 26;
            const std::int64_t rem = num % 26;
            if (rem * 2 > 26 || (rem * 2 == 26 && q % 2 == 1)) ++q;
            r.scroll_large_change = q;
        }
    }
    return r;
}

// ---- The reference result lists -------------------------------------------------------------

std::string reference_get_data(logs::ResultKind kind, const std::string& records_text) {
    std::string text;
    for (const std::string& row : split_all(records_text, "\r\n")) {
        if (row.empty()) continue;
        const std::vector<std::string> f = split_all(row, ",");
        if (f.size() < 6) continue;
        if (kind == logs::ResultKind::Models) {
            const std::string line = f[2] + "," + f[3] + "," + f[4] + "," + f[5];
            if (!has(text, line)) {
                text += line + "\r\n";
            } else {
                ++g_reached["model_lines_already_listed"];
            }
            continue;
        }
        if (has(f[5], "Default") != (kind == logs::ResultKind::NoMatch)) continue;
        if (has(text, f[3] + "," + f[4])) {
            ++g_reached["pairs_already_listed"];
            continue;
        }
        const std::string line = f[3] + "," + f[4] + "," + f[5];
        const std::size_t at = text.find(f[3]);
        const std::size_t crlf = at == npos ? npos : text.find("\r\n", at);
        if (crlf != npos) {
            text.insert(crlf, "\r\n" + line);
            ++g_reached["lines_inserted"];
        } else {
            text += line + "\r\n";
        }
    }
    return text;
}

// ---- Comparison ------------------------------------------------------------------------------

// Short answers that are often substrings of each other, and none at all: with no
// classification in front, suggestions from tiny fields often run into each other.
std::string odd_classifier(std::string_view s6) {
    return std::string(s6.size() % 3, '?');
}
std::string empty_classifier(std::string_view) {
    return {};
}
const logs::Classifier kClassifiers[] = {&matching::get_text4, &odd_classifier, &empty_classifier};

void expect_same_lists(const logs::RowText& records, const std::string& reference_text) {
    for (const auto kind :
         {logs::ResultKind::NoMatch, logs::ResultKind::Matched, logs::ResultKind::Models}) {
        const std::string got = logs::get_data(kind, records);
        const std::string want = reference_get_data(kind, reference_text);
        ASSERT_EQ(got, want) << "kind " << static_cast<int>(kind);
    }
}

// Every field but the records; the reference keeps no failure descriptions.
void expect_same_fields(const logs::ParseResult& a, const logs::ParseResult& b) {
    EXPECT_EQ(a.record_count, b.record_count);
    EXPECT_EQ(a.defaults_list, b.defaults_list);
    EXPECT_EQ(a.suggestions, b.suggestions);
    EXPECT_EQ(a.suggestion_models, b.suggestion_models);
    EXPECT_EQ(a.fail_count, b.fail_count);
    EXPECT_EQ(a.stopped_early, b.stopped_early);
    EXPECT_EQ(a.scroll_max, b.scroll_max);
    EXPECT_EQ(a.scroll_large_change, b.scroll_large_change);
    EXPECT_EQ(a.failed_steps, b.failed_steps);
}

void expect_same_parse(const logs::ParseResult& a, const logs::ParseResult& b) {
    ASSERT_EQ(a.records_text(), b.records_text());
    ASSERT_EQ(a.records.row_count(), b.records.row_count());
    for (std::size_t i = 0; i < a.records.row_count(); ++i)
        ASSERT_EQ(a.records.row(i), b.records.row(i));
    expect_same_fields(a, b);
    EXPECT_EQ(a.failed_step_descriptions, b.failed_step_descriptions);
}

// The log as a growing file shows it: written in random pieces, cut anywhere (inside a line end,
// a marker, a group), every piece fed to one reader; after each piece the result must be the
// whole parse of the text so far, and the rows that stayed must have moved by what feed says.
void expect_same_when_grown(const std::string& log, logs::Classifier classifier,
                            std::int64_t header, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    logs::LogReader reader({classifier, header});
    logs::ParseResult grown;
    std::size_t end = 0;
    for (int piece = 0; end < log.size() || piece == 0; ++piece) {
        const std::size_t step = rng() % 4 == 0 ? 1 + rng() % 3 : rng() % (log.size() / 3 + 2);
        end = std::min(log.size(), end + step);
        const std::string before = grown.records_text();
        const std::int64_t moved = reader.feed(std::string_view(log).substr(0, end), grown);
        SCOPED_TRACE("piece " + std::to_string(piece) + " ends at " + std::to_string(end));
        expect_same_parse(grown, logs::get_list4(log.substr(0, end), {classifier, header}));
        // Every row but the first (the open group's) of the previous result is still there.
        const logs::RowText old(before);
        for (std::size_t i = 1; i < old.row_count(); ++i) {
            ASSERT_EQ(
                grown.records.row(static_cast<std::size_t>(static_cast<std::int64_t>(i) + moved)),
                old.row(i));
        }
        if (::testing::Test::HasFailure()) return;
    }
}

void expect_same(const std::string& log, logs::Classifier classifier, std::int64_t header,
                 std::uint64_t seed) {
    const logs::ParseResult fast = logs::get_list4(log, {classifier, header});
    const logs::ParseResult ref = reference_parse(log, classifier, header);
    expect_same_when_grown(log, classifier, header, seed);
    ASSERT_EQ(fast.records_text(), ref.records_text());
    // No record holds a CR or LF, so the result lists' line-by-line answers are exact.
    for (std::size_t i = 0; i < fast.records.row_count(); ++i) {
        ASSERT_EQ(fast.records.row(i).find_first_of("\r\n"), std::string_view::npos);
    }
    expect_same_fields(fast, ref);
    expect_same_lists(fast.records, ref.records_text());
}

// ---- Inputs ----------------------------------------------------------------------------------

using Rng = std::mt19937_64;

std::size_t pick(Rng& rng, std::size_t n) {
    return static_cast<std::size_t>(rng() % n);
}
bool one_in(Rng& rng, std::size_t n) {
    return pick(rng, n) == 0;
}
const std::string& pick_of(Rng& rng, const std::vector<std::string>& v) {
    return v[pick(rng, v.size())];
}

// Words that are markers themselves, pieces of markers, or substrings of each other.
const std::vector<std::string> kTrickyWords = split_all(
    "A|AB|ABA|B|BA|A | A||#|,|:|>|> |with:|airline:|matched|Spawn| lat:|Setting|for|Got data|"
    "Updating|https|Deleting|Recie|Telep|failed to model|FAILED TO MODEL|[INF]|[WRN]|(Def|Default|"
    "(Default Model)|B738|A20N|E190|A3  5|E55P|Model?| Livery?|RYR|RYR ",
    "|");
// Fields from so few characters that texts keep turning up inside other texts, also across the
// border of two joined entries.
const std::vector<std::string> kTiny = {"", "A", "B", ":", "A:", ":A", "AB", "A "};

// A short field: a tricky word, or a few characters from a small alphabet.
std::string field(Rng& rng) {
    if (one_in(rng, 3)) return pick_of(rng, kTrickyWords);
    static const std::string alphabet = "AB ,#:>-_";
    std::string s;
    for (std::size_t n = pick(rng, 5); n > 0; --n) s += alphabet[pick(rng, alphabet.size())];
    return s;
}

std::string stamp(Rng& rng) {
    static const std::vector<std::string> kOdd = {
        "2024-05-01 14:03:27.123 [INF] ", "2024-05-01 14:03:27.123 +01:00 [WRN] ", "", "x [INF] "};
    const std::size_t k = pick(rng, 10);
    if (k < kOdd.size()) return kOdd[k];
    if (k == kOdd.size()) return std::to_string(pick(rng, 100000)) + " " + field(rng) + " [INF] ";
    return "2024-05-01 1" + std::to_string(pick(rng, 10)) + ":0" + std::to_string(pick(rng, 10)) +
           ":27.123 +01:00 [INF] ";
}

std::string line_end(Rng& rng) {
    static const std::vector<std::string> kOdd = {"\r", "\n", ""};
    const std::size_t k = pick(rng, 20);
    return k < kOdd.size() ? kOdd[k] : "\r\n";
}

// Groups made of the line forms the parser reacts to, with small, colliding vocabularies; every
// third case draws its fields from the tiny set, so that the default list and the seen
// suggestions fill with texts that turn up inside each other and across entry borders.
std::string adversarial_log(Rng& rng, int c) {
    const std::size_t groups = c < 560 ? 1 + pick(rng, 40) : 300 + pick(rng, 700);
    const auto any = [tiny = c % 3 == 2](Rng& r) { return tiny ? pick_of(r, kTiny) : field(r); };
    std::string log;
    if (one_in(rng, 4)) log += any(rng) + line_end(rng);
    for (std::size_t g = 0; g < groups; ++g) {
        log += stamp(rng) + "Model matching" + (one_in(rng, 6) ? any(rng) : ": ") + any(rng);
        // Rarely no "with airline:" at all: the parse stops there when the group is matched.
        if (!one_in(rng, 150)) log += one_in(rng, 5) ? "with airline:" : " with airline: ";
        log += any(rng) + line_end(rng);
        for (std::size_t n = pick(rng, 8); n > 0; --n) {
            log += stamp(rng) + any(rng);
            const std::size_t kind = pick(rng, 12);
            if (kind < 3) {
                log += "matched type: " + any(rng) + " with: " + any(rng) +
                       " airline: " + any(rng) + ", " + any(rng);
                if (one_in(rng, 4)) log += ", " + any(rng);
            } else if (kind == 3) {
                log += "matched" + any(rng);
            } else if (kind < 6) {
                log += "Spawn" + std::string(pick(rng, 16), '.') + any(rng);
                if (!one_in(rng, 4)) log += " lat:" + any(rng);
            } else if (kind < 8) {
                log += "Setting" + any(rng) + "for " + any(rng);
            } else if (kind == 8) {
                log += (one_in(rng, 2) ? "failed to model" : "Failed To Model") + any(rng);
            } else {
                log += any(rng);
            }
            log += line_end(rng);
        }
    }
    return log;
}

// Logs from the generator, of many sizes, default shares and line ends; now and then a line end
// of another kind inserted (LF logs whose last line ends with CR LF, CR inside a CR LF log).
template <loggen::Vocabulary vocabulary>
std::string generated_log(Rng& rng, int c) {
    static const std::size_t kSizes[] = {0, 1, 2, 7, 24, 25, 26, 60, 400, 2500};
    static const loggen::LineEnds kEnds[] = {loggen::LineEnds::CrLf, loggen::LineEnds::Lf,
                                             loggen::LineEnds::Cr};
    std::string log = loggen::generate_log({.groups = kSizes[c % 10],
                                            .seed = rng(),
                                            .line_ends = kEnds[c % 3],
                                            .vocabulary = vocabulary,
                                            .default_fraction = 0.3 * (c % 3),
                                            .unmatched_fraction = 0.05,
                                            .no_spawn_fraction = 0.1,
                                            .no_setting_fraction = 0.1})
                          .text;
    static const std::vector<std::string> kOtherEnds = {"\r\n", "\r", "\n"};
    for (std::size_t n = pick(rng, 4); n > 0 && !log.empty(); --n) {
        log.insert(pick(rng, log.size()), pick_of(rng, kOtherEnds));
    }
    return log;
}

// Records text of every shape the parser can write, for the result lists alone: short and long
// rows, empty rows, fields with commas, never a CR or LF.
std::string random_rows(Rng& rng, int c) {
    static const std::vector<std::string> kFieldWords = {
        "A",       "AB",   "B",          "BA",  "ABA", "",  " A", "x Default",
        "Default", "(Def", "AB Default", "A,B", "D",   "e", "f"};
    std::string text;
    for (std::size_t rows = c < 380 ? 1 + pick(rng, 60) : 500 + pick(rng, 1500); rows > 0; --rows) {
        if (one_in(rng, 15)) {
            text += "\r\n";  // an empty row
            continue;
        }
        const std::size_t fields = 7 + (one_in(rng, 10) ? pick(rng, 3) : 0);
        for (std::size_t f = 0; f < fields; ++f)
            text += (f > 0 ? "," : "") + pick_of(rng, kFieldWords);
        text += "\r\n";
    }
    return text;
}

// ---- The comparison on every kind of input -------------------------------------------------

const std::string kAllPaths =
    "records|defaults_added|defaults_already_listed|suggestions_added|suggestions_already_seen|"
    "pairs_already_listed|lines_inserted|model_lines_already_listed";

struct Source {
    std::string name;
    int cases;
    std::uint64_t seed;
    std::string (*make)(Rng&, int c);
    std::string must_reach;     // names of paths, "|" between them
    bool records_only = false;  // the text is a records text for the result lists alone
};

void PrintTo(const Source& s, std::ostream* os) {
    *os << s.name;
}

class Differential : public ::testing::TestWithParam<Source> {};

TEST_P(Differential, fastAndLiteralVersionsAgree) {
    const Source& s = GetParam();
    g_reached.clear();
    Rng rng(s.seed);
    for (int c = 0; c < s.cases; ++c) {
        const std::uint64_t case_seed = rng();
        Rng case_rng(case_seed);
        const std::string text = s.make(case_rng, c);
        SCOPED_TRACE("case " + std::to_string(c) + " seed " + std::to_string(case_seed));
        if (s.records_only) {
            expect_same_lists(logs::RowText(text), text);
        } else {
            expect_same(text, kClassifiers[c % 3], static_cast<std::int64_t>(pick(rng, 400)),
                        case_seed);
        }
        if (HasFatalFailure()) return;
    }
    for (const std::string& path : split_all(s.must_reach, "|"))
        EXPECT_GT(g_reached[path], 0) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Differential,
    ::testing::Values(
        Source{"generated", 30, 1, &generated_log<loggen::Vocabulary::Realistic>, kAllPaths},
        Source{"everyModelNameNew", 10, 2, &generated_log<loggen::Vocabulary::DistinctModels>,
               "records|lines_inserted|defaults_added"},
        Source{"everyAirlineNew", 10, 3, &generated_log<loggen::Vocabulary::DistinctAirlines>,
               "records|lines_inserted|defaults_added"},
        Source{"longDefaultRefs", 10, 4, &generated_log<loggen::Vocabulary::LongDefaultRefs>,
               "records|defaults_added|defaults_already_listed|suggestions_already_seen"},
        Source{"adversarial", 600, 20240513, &adversarial_log,
               kAllPaths + "|stops|suggestions_seen_across_two"},
        // Many lines under one airline: the list order runs out of labels and relabels.
        Source{"arbitraryRecords", 400, 99, &random_rows,
               "pairs_already_listed|lines_inserted|model_lines_already_listed", true}),
    [](const auto& info) { return info.param.name; });

}  // namespace

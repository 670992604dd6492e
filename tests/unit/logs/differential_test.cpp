// The parser and the result lists build their texts in linear time (records collected and
// reversed, substring tests answered by an index). Here a plain version that follows the steps
// word by word (prepending every record, std::string::find on the growing texts, inserting into
// the growing list) runs on the same inputs, and every output must be identical.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "log_generator.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"
#include "matching/suggestions.hpp"

namespace {

constexpr auto npos = std::string::npos;

// ---- Plain text helpers, written out here so the reference shares no code with the parser --

std::vector<std::string> split_all(const std::string& s, const std::string& sep) {
    std::vector<std::string> parts;
    if (s.empty()) return parts;  // a split of nothing has no parts
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = s.find(sep, pos);
        if (hit == npos) break;
        parts.push_back(s.substr(pos, hit - pos));
        pos = hit + sep.size();
    }
    parts.push_back(s.substr(pos));
    return parts;
}

std::string mid(const std::string& s, std::size_t from) {
    return from >= s.size() ? std::string() : s.substr(from);
}

std::string trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
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
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = s.find(from, pos);
        if (hit == npos) break;
        out += s.substr(pos, hit - pos);
        out += to;
        pos = hit + from.size();
    }
    return out + s.substr(pos);
}

bool has(const std::string& hay, const std::string& needle) {
    return hay.find(needle) != npos;
}

// How often the inputs reached the paths where the fast versions differ most from the plain
// steps; each test checks that its inputs got there, so agreement is not agreement on trivia.
struct Coverage {
    std::int64_t records = 0;
    std::int64_t stops = 0;
    std::int64_t defaults_added = 0;
    std::int64_t defaults_already_listed = 0;
    std::int64_t suggestions_added = 0;
    std::int64_t suggestions_already_seen = 0;
    std::int64_t suggestions_seen_across_two = 0;  // only found where two entries meet
    std::int64_t pairs_already_listed = 0;
    std::int64_t lines_inserted = 0;
    std::int64_t model_lines_already_listed = 0;
};
Coverage g_coverage;

// Every counter of the parse and of the lists above zero.
void expect_every_path_reached(const Coverage& c) {
    EXPECT_GT(c.records, 0);
    EXPECT_GT(c.defaults_added, 0);
    EXPECT_GT(c.defaults_already_listed, 0);
    EXPECT_GT(c.suggestions_added, 0);
    EXPECT_GT(c.suggestions_already_seen, 0);
    EXPECT_GT(c.pairs_already_listed, 0);
    EXPECT_GT(c.lines_inserted, 0);
    EXPECT_GT(c.model_lines_already_listed, 0);
}

// ---- The reference parser ------------------------------------------------------------------

struct Reference {
    std::string records_text;
    std::int64_t record_count = 0;
    std::string defaults_list;
    std::vector<std::string> list0, list1;
    std::int64_t fail_count = 0;
    bool stopped = false;
    std::int64_t scroll_max = 0;
    std::int64_t large_change = 1;
    std::int64_t failed_steps = 0;
};

Reference reference_parse(std::string log, logs::Classifier get_text4, std::int64_t header) {
    Reference r;
    // A log without any CR is read as if every LF were CR LF.
    if (log.find('\r') == npos && log.find('\n') != npos) log = replace(log, "\n", "\r\n");

    std::string model_text, ref, call_sign, seen_suggestions;
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
            r.stopped = true;
            ++g_coverage.stops;
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
                ++g_coverage.defaults_added;
            } else {
                ++g_coverage.defaults_already_listed;
            }
        }
        if (parts.size() >= 3) {
            r.records_text = time + "," + ref + "," + parts[0] + "," + parts[2] + "," + model_name +
                             "," + plane_spawned + "," + call_sign + "\r\n" + r.records_text;
            ++g_coverage.records;
        } else {
            ++r.failed_steps;
        }
        if (has(plane_spawned, "Default")) {
            const std::string entry = get_text4(parts[0] + "," + model_name + ">" + plane_spawned) +
                                      ":" + trim(parts[0]) + "," + trim(parts[2]);
            if (!has(seen_suggestions, entry)) {
                r.list0.push_back(entry);
                seen_suggestions += entry;
                r.list1.push_back(model_name + " > " + plane_spawned);
                ++g_coverage.suggestions_added;
            } else {
                ++g_coverage.suggestions_already_seen;
                bool inside_one = false;
                for (const auto& e : r.list0) inside_one = inside_one || has(e, entry);
                if (!inside_one) ++g_coverage.suggestions_seen_across_two;
            }
        }
        ++r.record_count;
    }
    if (!r.stopped) {
        const std::int64_t n = r.record_count;
        r.scroll_max = n >= 25 ? n : 0;
        if (n > 25) {
            // (H + 100) * (n + 1) / 26, halves to even, in integers.
            const std::int64_t num = (header + 100) * (n + 1);
            std::int64_t q = num / 26;
            const std::int64_t rem = num % 26;
            if (rem * 2 > 26 || (rem * 2 == 26 && q % 2 == 1)) ++q;
            r.large_change = q;
        }
    }
    return r;
}

// ---- The reference result lists -------------------------------------------------------------

std::string reference_get_data(int kind, const std::string& records_text) {
    std::string text;
    for (const std::string& row : split_all(records_text, "\r\n")) {
        if (row.empty()) continue;
        const std::vector<std::string> f = split_all(row, ",");
        if (f.size() < 6) continue;
        if (kind == 2) {
            const std::string line = f[2] + "," + f[3] + "," + f[4] + "," + f[5];
            if (!has(text, line)) {
                text += line + "\r\n";
            } else {
                ++g_coverage.model_lines_already_listed;
            }
            continue;
        }
        if (has(f[5], "Default") != (kind == 0)) continue;
        if (has(text, f[3] + "," + f[4])) {
            ++g_coverage.pairs_already_listed;
            continue;
        }
        const std::string line = f[3] + "," + f[4] + "," + f[5];
        const std::size_t at = text.find(f[3]);
        const std::size_t crlf = at == npos ? npos : text.find("\r\n", at);
        if (crlf != npos) {
            text.insert(crlf, "\r\n" + line);
            ++g_coverage.lines_inserted;
        } else {
            text += line + "\r\n";
        }
    }
    return text;
}

// ---- Comparison ------------------------------------------------------------------------------

std::string odd_classifier(std::string_view s6) {
    // Short answers that are often substrings of each other.
    return std::string(s6.size() % 3, '?');
}

// With no classification in front, suggestions from tiny fields often run into each other.
std::string empty_classifier(std::string_view) {
    return {};
}

std::string first_difference(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    const std::size_t from = i > 40 ? i - 40 : 0;
    return "at byte " + std::to_string(i) + ": fast \"" + a.substr(from, 80) +
           "\" vs reference \"" + b.substr(from, 80) + "\"";
}

void expect_same(const std::string& log, logs::Classifier classifier = &matching::get_text4,
                 std::int64_t header = 195) {
    logs::ParseOptions options;
    options.get_text4 = classifier;
    options.header_height_twips = header;
    const logs::ParseResult fast = logs::get_list4(log, options);
    const Reference ref = reference_parse(log, classifier, header);

    ASSERT_EQ(fast.records_text(), ref.records_text)
        << first_difference(fast.records_text(), ref.records_text);
    EXPECT_EQ(fast.record_count, ref.record_count);
    EXPECT_EQ(fast.defaults_list, ref.defaults_list)
        << first_difference(fast.defaults_list, ref.defaults_list);
    EXPECT_EQ(fast.suggestions, ref.list0);
    EXPECT_EQ(fast.suggestion_models, ref.list1);
    EXPECT_EQ(fast.fail_count, ref.fail_count);
    EXPECT_EQ(fast.stopped_early, ref.stopped);
    EXPECT_EQ(fast.scroll_max, ref.scroll_max);
    EXPECT_EQ(fast.scroll_large_change, ref.large_change);
    EXPECT_EQ(fast.failed_steps, ref.failed_steps);

    for (int kind = 0; kind < 3; ++kind) {
        const std::string got = logs::get_data(kind, fast.records);
        const std::string want = reference_get_data(kind, ref.records_text);
        ASSERT_EQ(got, want) << "kind " << kind << " " << first_difference(got, want);
    }
}

// ---- Inputs ----------------------------------------------------------------------------------

using Rng = std::mt19937_64;

std::size_t pick(Rng& rng, std::size_t n) {
    return static_cast<std::size_t>(rng() % n);
}
bool one_in(Rng& rng, std::size_t n) {
    return pick(rng, n) == 0;
}

template <typename T>
const T& pick_of(Rng& rng, const std::vector<T>& v) {
    return v[pick(rng, v.size())];
}

// Words that are markers themselves, pieces of markers, or substrings of each other.
const std::vector<std::string> kTrickyWords = {
    "A",
    "AB",
    "ABA",
    "B",
    "BA",
    "A ",
    " A",
    "",
    "#",
    ",",
    ":",
    ">",
    "> ",
    "with:",
    "airline:",
    "matched",
    "Spawn",
    " lat:",
    "Setting",
    "for",
    "Got data",
    "Updating",
    "https",
    "Deleting",
    "Recie",
    "Telep",
    "failed to model",
    "FAILED TO MODEL",
    "[INF]",
    "[WRN]",
    "(Def",
    "Default",
    "(Default Model)",
    "B738",
    "A20N",
    "E190",
    "A3  5",
    "E55P",
    "Model?",
    " Livery?",
    "RYR",
    "RYR ",
};

// A short field: a tricky word, or a few characters from a small alphabet.
std::string field(Rng& rng) {
    if (one_in(rng, 3)) return pick_of(rng, kTrickyWords);
    static const std::string alphabet = "AB ,#:>-_";
    std::string s;
    for (std::size_t n = pick(rng, 5); n > 0; --n) s += alphabet[pick(rng, alphabet.size())];
    return s;
}

// Fields from so few characters that texts keep turning up inside other texts, also across the
// border of two joined entries.
std::string tiny_field(Rng& rng) {
    static const std::vector<std::string> kTiny = {"", "A", "B", ":", "A:", ":A", "AB", "A "};
    return pick_of(rng, kTiny);
}

std::string stamp(Rng& rng) {
    switch (pick(rng, 10)) {
        case 0:
            return "2024-05-01 14:03:27.123 [INF] ";  // no zone
        case 1:
            return "2024-05-01 14:03:27.123 +01:00 [WRN] ";
        case 2:
            return "";
        case 3:
            return "x [INF] ";
        case 4:
            return std::to_string(pick(rng, 100000)) + " " + field(rng) + " [INF] ";
        default:
            return "2024-05-01 1" + std::to_string(pick(rng, 10)) + ":0" +
                   std::to_string(pick(rng, 10)) + ":27.123 +01:00 [INF] ";
    }
}

std::string line_end(Rng& rng) {
    switch (pick(rng, 20)) {
        case 0:
            return "\r";
        case 1:
            return "\n";
        case 2:
            return "";
        default:
            return "\r\n";
    }
}

// Groups made of the line forms the parser reacts to, with small, colliding vocabularies.
std::string adversarial_log(Rng& rng, std::size_t groups, bool tiny) {
    const auto any_field = [tiny](Rng& r) { return tiny ? tiny_field(r) : field(r); };
    std::string log;
    if (one_in(rng, 4)) log += any_field(rng) + line_end(rng);
    for (std::size_t g = 0; g < groups; ++g) {
        log += stamp(rng) + "Model matching";
        log += one_in(rng, 6) ? any_field(rng) : std::string(": ");
        log += any_field(rng);
        // Rarely no "with airline:" at all: the parse stops there when the group is matched.
        if (!one_in(rng, 150)) log += one_in(rng, 5) ? "with airline:" : " with airline: ";
        log += any_field(rng) + line_end(rng);
        for (std::size_t n = pick(rng, 8); n > 0; --n) {
            log += stamp(rng);
            switch (pick(rng, 12)) {
                case 0:
                case 1:
                case 2:
                    log += any_field(rng) + "matched type: " + any_field(rng) +
                           " with: " + any_field(rng) + " airline: " + any_field(rng) + ", " +
                           any_field(rng);
                    if (one_in(rng, 4)) log += ", " + any_field(rng);
                    break;
                case 3:
                    log += any_field(rng) + "matched" + any_field(rng);
                    break;
                case 4:
                case 5:
                    log +=
                        any_field(rng) + "Spawn" + std::string(pick(rng, 16), '.') + any_field(rng);
                    if (!one_in(rng, 4)) log += " lat:" + any_field(rng);
                    break;
                case 6:
                case 7:
                    log += any_field(rng) + "Setting" + any_field(rng) + "for " + any_field(rng);
                    break;
                case 8:
                    log += any_field(rng) +
                           (one_in(rng, 2) ? "failed to model" : "Failed To Model") +
                           any_field(rng);
                    break;
                default:
                    log += any_field(rng) + any_field(rng);
                    break;
            }
            log += line_end(rng);
        }
    }
    return log;
}

// Default-model spawns only, every field from the tiny set: the default list and the seen
// suggestions fill with texts that turn up inside each other and across entry borders.
std::string colliding_defaults_log(Rng& rng, std::size_t groups) {
    const std::string stamp_inf = "2024-05-01 14:03:27.123 +01:00 [INF] ";
    std::string log;
    for (std::size_t g = 0; g < groups; ++g) {
        log += stamp_inf + "Model matching: " + tiny_field(rng) + " with airline: X\r\n";
        if (!one_in(rng, 5)) log += stamp_inf + "Failed to model match\r\n";
        log += stamp_inf + "Aircraft matched type: " + tiny_field(rng) +
               " with: L airline: " + tiny_field(rng) + ", " +
               (one_in(rng, 3) ? "Default" : tiny_field(rng)) + "\r\n";
        if (!one_in(rng, 4)) {
            log +=
                stamp_inf + "Spawned AI plane " + tiny_field(rng) + tiny_field(rng) + " lat: 1\r\n";
        }
        if (!one_in(rng, 4)) log += stamp_inf + "Setting for " + tiny_field(rng) + "\r\n";
    }
    return log;
}

// Marker words and single characters in any order. Group markers mostly come with the
// "with airline:" that keeps the parse going; a bare one (a stop when its group is matched)
// is rare.
std::string token_soup(Rng& rng, std::size_t tokens) {
    static const std::vector<std::string> kTokens = {"Model matching: with airline: ",
                                                     "Model matching: x with airline: ",
                                                     "Model matching: with airline: ",
                                                     " with airline: ",
                                                     "matched",
                                                     "matched type: ",
                                                     "\r\n",
                                                     "\r\n",
                                                     "\r",
                                                     "\n",
                                                     "[INF]",
                                                     " [INF] ",
                                                     "Spawn",
                                                     " lat:",
                                                     "Setting",
                                                     "for",
                                                     "failed to model",
                                                     "with:",
                                                     "airline:",
                                                     ",",
                                                     " ",
                                                     ":",
                                                     "(Def",
                                                     "Default",
                                                     "Updating",
                                                     "Deleting",
                                                     "A",
                                                     "B",
                                                     "2024-05-01 14:03:27.123 +01:00 "};
    std::string s;
    for (std::size_t i = 0; i < tokens; ++i) {
        s += one_in(rng, 2000) ? std::string("Model matching") : pick_of(rng, kTokens);
    }
    return s;
}

// ---- The parser --------------------------------------------------------------------------------

TEST(Differential, generatedLogsOfManySizes) {
    g_coverage = {};
    const std::size_t sizes[] = {0, 1, 2, 7, 24, 25, 26, 60, 400, 2500};
    std::uint64_t seed = 1;
    for (const std::size_t groups : sizes) {
        for (const double defaults : {0.0, 0.1, 0.6}) {
            testing_support::LogOptions o;
            o.groups = groups;
            o.seed = seed++;
            o.default_fraction = defaults;
            o.unmatched_fraction = 0.05;
            o.no_spawn_fraction = 0.1;
            o.no_setting_fraction = 0.1;
            SCOPED_TRACE("groups " + std::to_string(groups) + " seed " + std::to_string(o.seed));
            const auto log = testing_support::generate_log(o);
            expect_same(log.text);
            if (HasFatalFailure()) return;
        }
    }
    expect_every_path_reached(g_coverage);
}

TEST(Differential, generatedLogsWithOtherLineEndsAndClassifiers) {
    g_coverage = {};
    for (const auto ends : {testing_support::LineEnds::Lf, testing_support::LineEnds::Cr}) {
        for (std::uint64_t seed = 100; seed < 104; ++seed) {
            testing_support::LogOptions o;
            o.groups = 300;
            o.seed = seed;
            o.line_ends = ends;
            o.default_fraction = 0.3;
            SCOPED_TRACE("seed " + std::to_string(seed));
            const std::string text = testing_support::generate_log(o).text;
            expect_same(text);
            expect_same(text, &odd_classifier, 199);
            if (HasFatalFailure()) return;
        }
    }
    expect_every_path_reached(g_coverage);
}

TEST(Differential, adversarialVocabularies) {
    g_coverage = {};
    Rng rng(20240513);
    for (int c = 0; c < 600; ++c) {
        const std::size_t groups = c < 560 ? 1 + pick(rng, 40) : 300 + pick(rng, 700);
        const std::uint64_t case_seed = rng();
        Rng case_rng(case_seed);
        const bool tiny = c % 3 == 2;
        const std::string log = adversarial_log(case_rng, groups, tiny);
        SCOPED_TRACE("case " + std::to_string(c) + " seed " + std::to_string(case_seed));
        const logs::Classifier classifier = tiny         ? &empty_classifier
                                            : c % 3 == 0 ? &matching::get_text4
                                                         : &odd_classifier;
        expect_same(log, classifier, static_cast<std::int64_t>(pick(rng, 400)));
        if (HasFatalFailure()) return;
    }
    expect_every_path_reached(g_coverage);
    EXPECT_GT(g_coverage.stops, 0);
}

TEST(Differential, collidingDefaultsAndSuggestions) {
    g_coverage = {};
    Rng rng(31337);
    for (int c = 0; c < 300; ++c) {
        const std::string log = colliding_defaults_log(rng, 1 + pick(rng, c < 280 ? 60 : 2000));
        SCOPED_TRACE("case " + std::to_string(c));
        const logs::Classifier classifier = c % 3 == 0   ? &empty_classifier
                                            : c % 3 == 1 ? &odd_classifier
                                                         : &matching::get_text4;
        expect_same(log, classifier);
        if (HasFatalFailure()) return;
    }
    expect_every_path_reached(g_coverage);
    EXPECT_GT(g_coverage.suggestions_seen_across_two, 0);
}

TEST(Differential, tokenSoup) {
    g_coverage = {};
    Rng rng(77);
    for (int c = 0; c < 500; ++c) {
        const std::string log =
            (one_in(rng, 5) ? std::string() : "Model matching: with airline: ") +
            token_soup(rng, 1 + pick(rng, c < 450 ? 200 : 5000));
        SCOPED_TRACE("case " + std::to_string(c));
        expect_same(log, c % 3 == 0 ? &odd_classifier : &matching::get_text4);
        if (HasFatalFailure()) return;
    }
    expect_every_path_reached(g_coverage);
    EXPECT_GT(g_coverage.stops, 0);
}

TEST(Differential, binaryGarbage) {
    g_coverage = {};
    Rng rng(4242);
    for (int c = 0; c < 20; ++c) {
        std::string log = "Model matching: with airline: ";
        const std::size_t size = 1000 + pick(rng, 60000);
        while (log.size() < size) {
            if (one_in(rng, 200)) {
                log += "Model matching: with airline: ";
            } else if (one_in(rng, 10)) {
                log += token_soup(rng, 1);
            } else {
                log += static_cast<char>(rng() & 0xFF);
            }
        }
        SCOPED_TRACE("case " + std::to_string(c));
        expect_same(log);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(g_coverage.records, 0);
}

// ---- The result lists on records of every shape ---------------------------------------------

std::string random_rows(Rng& rng, std::size_t rows) {
    static const std::vector<std::string> kFieldWords = {
        "A",  "AB",        "B",       "BA",   "ABA",        "",    " A", "A\nB", "A\rB",
        "\n", "x Default", "Default", "(Def", "AB Default", "A,B", "D",  "e",    "f\n"};
    std::string text;
    for (std::size_t i = 0; i < rows; ++i) {
        if (one_in(rng, 15)) {
            text += "\r\n";  // an empty row
            continue;
        }
        std::string row;
        const std::size_t fields = 7 + (one_in(rng, 10) ? pick(rng, 3) : 0);
        for (std::size_t f = 0; f < fields; ++f) {
            if (f > 0) row += ',';
            row += pick_of(rng, kFieldWords);
        }
        text += row + "\r\n";
    }
    return text;
}

TEST(Differential, resultListsOnArbitraryRecords) {
    g_coverage = {};
    Rng rng(99);
    for (int c = 0; c < 400; ++c) {
        const std::size_t rows = c < 380 ? 1 + pick(rng, 60) : 500 + pick(rng, 1500);
        const std::string text = random_rows(rng, rows);
        const logs::RowText records(text);
        SCOPED_TRACE("case " + std::to_string(c));
        for (int kind = 0; kind < 3; ++kind) {
            const std::string got = logs::get_data(kind, records);
            const std::string want = reference_get_data(kind, text);
            ASSERT_EQ(got, want) << "kind " << kind << " " << first_difference(got, want);
        }
    }
    EXPECT_GT(g_coverage.pairs_already_listed, 0);
    EXPECT_GT(g_coverage.lines_inserted, 0);
    EXPECT_GT(g_coverage.model_lines_already_listed, 0);
}

// The reference itself must follow the described steps: check it on hand-made cases so that
// agreement with it means something.
TEST(Differential, referenceMatchesHandWorkedExamples) {
    const std::string log =
        "start\r\n"
        "2024-05-01 14:03:27.100 +01:00 [INF] Model matching: Boeing 737-800 with airline: RYR\r\n"
        "2024-05-01 14:03:27.123 +01:00 [INF] Got data\r\n"
        "2024-05-01 14:03:27.130 +01:00 [WRN] Failed to model match\r\n"
        "2024-05-01 14:03:27.140 +01:00 [INF] Aircraft matched type: B738 with: Standard "
        "airline: RYR, Airbus A320 Neo Standard\r\n"
        "2024-05-01 14:03:27.150 +01:00 [INF] Spawned AI plane FR1 lat: 1\r\n"
        "2024-05-01 14:03:27.160 +01:00 [INF] Setting flight plan for RYR1\r\n"
        "2024-05-01 14:05:00.000 +01:00 [INF] Model matching: Airbus A320neo with airline: DLH\r\n"
        "2024-05-01 14:05:00.100 +01:00 [INF] Aircraft matched type: A20N with: Lufthansa "
        "airline: DLH, Airbus A320neo Lufthansa\r\n";
    const Reference r = reference_parse(log, &matching::get_text4, 195);
    EXPECT_EQ(r.records_text,
              "14:05,FR1,A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa,RYR1\r\n"
              "14:03,FR1,B738 , RYR,Boeing 737-800, Airbus A320 Neo Standard (Default "
              "Model),RYR1\r\n");
    EXPECT_EQ(r.defaults_list, "FR1#RYR1,");
    EXPECT_EQ(r.list0, std::vector<std::string>{" Model?:B738,RYR"});
    EXPECT_EQ(r.fail_count, 1);
    EXPECT_EQ(r.failed_steps, 0);

    const std::string rows = "t,r,m,A,n1,P,c\r\nt,r,m,B,n2,P,c\r\nt,r,m,A,n3,P,c\r\n";
    EXPECT_EQ(reference_get_data(1, rows), "A,n1,P\r\nA,n3,P\r\nB,n2,P\r\n");
    EXPECT_EQ(reference_get_data(2, rows), "m,A,n1,P\r\nm,B,n2,P\r\nm,A,n3,P\r\n");

    Reference big;
    std::string many;
    for (int i = 0; i < 26; ++i) {
        many += "Model matching: N with airline: A\r\nmatched 123456T with: L airline: A, P\r\n";
    }
    big = reference_parse(many, &matching::get_text4, 199);
    EXPECT_EQ(big.scroll_max, 26);
    EXPECT_EQ(big.large_change, 310);
}

}  // namespace

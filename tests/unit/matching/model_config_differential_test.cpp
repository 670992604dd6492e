// The add against a literal reading of the line-wise rewrite on generated well-formed files: the
// same lines in the same order, only the commas differ (the literal keeps each line's own). By
// design, lines equal but for letter case keep byte order here, while the literal, sorting the
// lines with their commas, puts a comma-less one first: so the order is compared ignoring case
// and the lines as a set.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "matching/model_config.hpp"

namespace {

std::string literal_add(std::string_view json_text, const std::string& type,
                        const std::string& model) {
    std::vector<std::string> list;
    for (std::string_view line : common::split(json_text, "\r\n")) {
        if (line.empty() || common::contains(line, "{") || common::contains(line, "}")) continue;
        list.emplace_back(common::trim_left_spaces(line));
    }
    list.push_back("\"" + type + "\":\"" + model + "\",");
    std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        const std::string la = common::to_lower(a), lb = common::to_lower(b);
        return la != lb ? la < lb : a < b;
    });
    std::string text = "{\r\n";
    for (const std::string& item : list)
        if (!common::trim_spaces(item).empty()) text += item + "\r\n";
    text += "}";
    for (const auto& [from, to] : {std::pair{"boeing", "Boeing"},
                                   {"airbus", "Airbus"},
                                   {"b7", "B7"},
                                   {"a2", "A2"},
                                   {"a1", "A1"},
                                   {"a3", "A3"},
                                   {"default", "Default"},
                                   {"b38m", "B38M"}})
        text = common::replace_all(text, from, to);
    return text;
}

std::string without_comma(std::string_view line) {
    return std::string(line.ends_with(',') ? line.substr(0, line.size() - 1) : line);
}

// Short texts from a small alphabet, so keys collide and differ only in case, with words the
// case fixes change; lines indented, with or without a comma, blank, or repeated in other case.
struct Generator {
    std::mt19937 rng;
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    std::string text() {
        static const std::string kChars = "aAbBdDeEmMsSzZ0123789 -_./()";
        static const char* kWords[] = {"boeing", "airbus", "b7", "a2", "default", "b38m"};
        std::string t;
        for (int i = 1 + below(6); i > 0; --i)
            t += below(6) ? std::string(1, kChars[static_cast<std::size_t>(below(28))])
                          : kWords[below(6)];
        return t;
    }
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (int n = below(4) ? below(120) : below(3); n > 0; --n) {
            std::string line = "\"" + text() + "\":\"" + text() + "\"" + (below(2) ? "," : "");
            const std::string& earlier =
                out.empty() ? line
                            : out[static_cast<std::size_t>(below(static_cast<int>(out.size())))];
            if (!earlier.empty() && below(10) == 0) {
                line = earlier;
                for (char& c : line)
                    if (std::isalpha(static_cast<unsigned char>(c)) && below(3) == 0) c ^= 0x20;
                line = without_comma(line) + (line.ends_with(',') ? "" : ",");
            }
            out.push_back(below(10) ? line : "");
        }
        return out;
    }
};

std::string render(const std::vector<std::string>& lines, std::string_view eol, char blank,
                   int seed) {
    std::string text = "{" + std::string(eol);
    for (const auto& line : lines)
        text += std::string(static_cast<std::size_t>(seed++ % 5), blank) + line + std::string(eol);
    return text + "}" + (seed % 2 ? std::string(eol) : "");
}

TEST(ModelConfigDifferential, generatedFiles_sameLinesSameOrderOnlyCommasDiffer) {
    int compared = 0, case_ties = 0;
    for (int seed = 1; seed <= 400; ++seed) {
        Generator gen{std::mt19937(static_cast<unsigned>(seed))};
        const std::vector<std::string> lines = gen.lines();
        const std::string type = gen.text(), model = gen.text();
        const std::string crlf = render(lines, "\r\n", ' ', seed);
        SCOPED_TRACE(crlf + "\nadding " + type + " " + model);
        const matching::AddPlan plan = matching::prepare_add({"", type, model, crlf});
        if (plan.step == matching::AddStep::Stop) continue;  // the pair is in the file already
        ASSERT_EQ(plan.step, matching::AddStep::Ask) << plan.message.text;
        ++compared;

        const std::string literal_text = literal_add(crlf, type, model);
        const auto mine = common::split(plan.new_text, "\r\n");
        const auto literal = common::split(literal_text, "\r\n");
        ASSERT_EQ(mine.size(), literal.size());
        std::vector<std::string> mine_set, literal_set;
        for (std::size_t i = 0; i < mine.size(); ++i) {
            mine_set.push_back(without_comma(mine[i]));
            literal_set.push_back(without_comma(literal[i]));
            EXPECT_EQ(common::to_lower(mine_set.back()), common::to_lower(literal_set.back()));
            case_ties += mine_set.back() != literal_set.back();
            EXPECT_EQ(mine[i].ends_with(','), i > 0 && i + 2 < mine.size()) << "line " << i;
        }
        std::sort(mine_set.begin(), mine_set.end());
        std::sort(literal_set.begin(), literal_set.end());
        EXPECT_EQ(mine_set, literal_set);

        // LF, tabs, bare CR and a byte-order mark give the same text, the mark kept in front.
        for (const std::string& v : {render(lines, "\n", ' ', seed),
                                     render(lines, "\r", '\t', seed), "\xEF\xBB\xBF" + crlf}) {
            const std::string mark = v.starts_with('\xEF') ? "\xEF\xBB\xBF" : "";
            EXPECT_EQ(matching::prepare_add({"", type, model, v}).new_text, mark + plan.new_text);
        }
    }
    EXPECT_GT(compared, 300);
    EXPECT_GT(case_ties, 0);  // the generator made lines equal but for case
}

}  // namespace

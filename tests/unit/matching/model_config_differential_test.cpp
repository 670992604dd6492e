// The add against a literal reading of the line-wise rewrite, on generated well-formed files:
// the same lines in the same order, only the commas may differ (the literal keeps each line's
// own comma wherever the line sorts). One more difference is by design: lines equal but for
// letter case sort in byte order here, while the literal, which sorts the lines with their
// commas, puts one without a comma first; so the order is compared ignoring case and the lines
// as a set.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "matching/model_config.hpp"

namespace {

// As written down: lines cut at CR LF; a line that is empty or holds a brace is dropped, the
// others lose their leading spaces; the entry joins them; the list is sorted ignoring case;
// blank items are dropped; the case fixes run over the whole text.
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
    std::string body;
    for (const std::string& item : list)
        if (!common::trim_spaces(item).empty()) body += item + "\r\n";
    std::string text = "{\r\n" + body + "}";
    for (const auto& [from, to] :
         std::array<std::pair<const char*, const char*>, 8>{{{"boeing", "Boeing"},
                                                             {"airbus", "Airbus"},
                                                             {"b7", "B7"},
                                                             {"a2", "A2"},
                                                             {"a1", "A1"},
                                                             {"a3", "A3"},
                                                             {"default", "Default"},
                                                             {"b38m", "B38M"}}})
        text = common::replace_all(text, from, to);
    return text;
}

struct Line {
    int indent = 0;       // blanks before the entry; a blank line when the entry is empty
    std::string content;  // "key":"value" with or without its comma
};

class Generator {
  public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Short texts from a small alphabet, so that keys collide and differ only in case, with
    // words the case fixes change.
    std::string text() {
        static constexpr std::string_view kChars = "aAbBdDeEmMsSzZ0123789 -_./()";
        static constexpr std::array<std::string_view, 8> kWords{
            "boeing", "airbus", "b7", "a2", "a1", "default", "b38m", "Boeing 737"};
        std::string t;
        const int n = 1 + below(6);
        for (int i = 0; i < n; ++i) {
            if (below(6) == 0)
                t += kWords[static_cast<std::size_t>(below(static_cast<int>(kWords.size())))];
            else
                t += kChars[static_cast<std::size_t>(below(static_cast<int>(kChars.size())))];
        }
        return t;
    }

    std::vector<Line> lines() {
        std::vector<Line> out;
        const int n = below(4) == 0 ? below(3) : below(120);
        for (int i = 0; i < n; ++i) {
            if (below(10) == 0) {
                out.push_back({below(3), ""});
            } else if (!out.empty() && below(10) == 0) {
                // The same line again, or with other letter case and another comma.
                Line copy = out[static_cast<std::size_t>(below(static_cast<int>(out.size())))];
                if (copy.content.empty() || below(2) == 0) {
                    out.push_back(copy);
                    continue;
                }
                for (char& c : copy.content)
                    if (below(3) == 0)
                        c = c ^ (std::isalpha(static_cast<unsigned char>(c)) ? 0x20 : 0);
                if (copy.content.ends_with(','))
                    copy.content.pop_back();
                else
                    copy.content += ',';
                out.push_back(std::move(copy));
            } else {
                std::string c = "\"" + text() + "\":\"" + text() + "\"";
                if (below(2) == 0) c += ",";
                out.push_back({below(5), std::move(c)});
            }
        }
        return out;
    }

  private:
    std::mt19937 rng_;
};

std::string render(const std::vector<Line>& lines, std::string_view eol, char blank,
                   bool final_eol) {
    std::string text = "{" + std::string(eol);
    for (const Line& l : lines)
        text +=
            std::string(static_cast<std::size_t>(l.indent), blank) + l.content + std::string(eol);
    text += "}";
    if (final_eol) text += eol;
    return text;
}

std::string without_comma(std::string_view line) {
    if (line.ends_with(',')) line.remove_suffix(1);
    return std::string(line);
}

TEST(ModelConfigDifferential, generatedFiles_sameLinesSameOrderOnlyCommasDiffer) {
    int compared = 0, case_ties = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        Generator gen(seed);
        const std::vector<Line> lines = gen.lines();
        const std::string type = gen.text(), model = gen.text();
        const std::string crlf = render(lines, "\r\n", ' ', gen.below(2) == 0);
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
            const std::string a = without_comma(mine[i]), b = without_comma(literal[i]);
            EXPECT_EQ(common::to_lower(a), common::to_lower(b)) << "line " << i;
            if (a != b) ++case_ties;
            mine_set.push_back(a);
            literal_set.push_back(b);
            const bool entry = i > 0 && i + 1 < mine.size();
            EXPECT_EQ(mine[i].ends_with(','), entry && i + 2 < mine.size()) << "line " << i;
        }
        std::sort(mine_set.begin(), mine_set.end());
        std::sort(literal_set.begin(), literal_set.end());
        EXPECT_EQ(mine_set, literal_set);

        // LF, tabs and a byte-order mark give the same text, the mark kept in front.
        const std::string variants[] = {render(lines, "\n", ' ', true),
                                        render(lines, "\r\n", '\t', false),
                                        render(lines, "\r", '\t', true)};
        for (const std::string& v : variants)
            EXPECT_EQ(matching::prepare_add({"", type, model, v}).new_text, plan.new_text);
        EXPECT_EQ(matching::prepare_add({"", type, model, "\xEF\xBB\xBF" + crlf}).new_text,
                  "\xEF\xBB\xBF" + plan.new_text);
    }
    EXPECT_GT(compared, 300);
    EXPECT_GT(case_ties, 0);  // the generator made lines equal but for case
}

}  // namespace

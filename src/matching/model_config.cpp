#include "matching/model_config.hpp"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "common/paths.hpp"
#include "common/text.hpp"

namespace matching {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t kShownLineBytes = 200;

bool is_blank(char c) noexcept {
    return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view s) noexcept {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

bool is_hex(char c) noexcept {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Well-formed UTF-8 as a JSON parser demands it: no overlong forms, no surrogates, at most
// U+10FFFF.
bool valid_utf8(std::string_view s) noexcept {
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    for (std::size_t i = 0; i < s.size();) {
        const unsigned c = byte(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        unsigned lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (s.size() - i < len || byte(i + 1) < lo || byte(i + 1) > hi) return false;
        for (std::size_t k = 2; k < len; ++k)
            if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return false;
        i += len;
    }
    return true;
}

// Length of the JSON string token that opens s, quotes included; npos when s does not open
// with one. Escapes are checked for their form; what they stand for is left to the parser.
std::size_t string_token_length(std::string_view s) noexcept {
    if (s.empty() || s.front() != '"') return std::string_view::npos;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '"') return i + 1;
        if (c < 0x20) return std::string_view::npos;
        if (c != '\\') continue;
        if (++i >= s.size()) return std::string_view::npos;
        switch (s[i]) {
            case '"':
            case '\\':
            case '/':
            case 'b':
            case 'f':
            case 'n':
            case 'r':
            case 't':
                break;
            case 'u':
                if (s.size() - i <= 4 ||
                    !std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                 s.begin() + static_cast<std::ptrdiff_t>(i) + 5, is_hex))
                    return std::string_view::npos;
                i += 4;
                break;
            default:
                return std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

struct Entry {
    std::string_view content;  // from the key's opening quote to the value's closing quote
    std::string_view key;      // the tokens, quotes included
    std::string_view value;
};

// A line, blanks trimmed, that holds one "key":"value" pair and at most one comma after it.
std::optional<Entry> read_entry(std::string_view line) noexcept {
    const std::size_t key_len = string_token_length(line);
    if (key_len == std::string_view::npos) return std::nullopt;
    std::size_t pos = key_len;
    const auto skip_blanks = [&] {
        while (pos < line.size() && is_blank(line[pos])) ++pos;
    };
    skip_blanks();
    if (pos >= line.size() || line[pos] != ':') return std::nullopt;
    ++pos;
    skip_blanks();
    const std::size_t value_len = string_token_length(line.substr(pos));
    if (value_len == std::string_view::npos) return std::nullopt;
    const std::size_t value_at = pos;
    pos += value_len;
    const std::size_t end = pos;
    skip_blanks();
    if (pos < line.size() && line[pos] == ',') ++pos;
    if (pos != line.size()) return std::nullopt;
    return Entry{line.substr(0, end), line.substr(0, key_len), line.substr(value_at, value_len)};
}

struct Misfit {
    std::size_t number = 0;  // 1-based
    std::string_view text;
    std::string_view reason;  // follows "Line N "
};

struct ConfigLines {
    std::string_view bom;
    std::string_view body;  // the text after the byte-order mark
    std::vector<Entry> entries;
    std::optional<Misfit> misfit;
};

// Reads the file as "{", one entry a line, "}", with blank lines anywhere. CR LF, LF and a bare
// CR all end a line; blanks around a line (spaces or tabs) do not count.
ConfigLines read_config_lines(std::string_view text) {
    ConfigLines r;
    if (text.starts_with(kBom)) r.bom = text.substr(0, kBom.size());
    r.body = text.substr(r.bom.size());
    enum class Where { BeforeOpen, Inside, AfterClose } where = Where::BeforeOpen;
    std::size_t number = 0, last_number = 0;
    std::string_view last_line;
    const std::string_view s = r.body;
    for (std::size_t pos = 0; pos < s.size() && !r.misfit;) {
        std::size_t end = s.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = s.size();
        const std::string_view line = trim_blanks(s.substr(pos, end - pos));
        pos = end;
        if (pos < s.size()) pos += s.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
        ++number;
        if (line.empty()) continue;
        last_number = number;
        last_line = line;
        const auto misfit = [&](std::string_view reason) {
            r.misfit = Misfit{number, line, reason};
        };
        switch (where) {
            case Where::BeforeOpen:
                if (line == "{")
                    where = Where::Inside;
                else if (line.size() >= 2 && line.front() == '{' && line.back() == '}' &&
                         trim_blanks(line.substr(1, line.size() - 2)).empty())
                    where = Where::AfterClose;  // an empty object
                else if (line.starts_with('{'))
                    misfit("holds more than the opening \"{\"");
                else
                    misfit("comes before the opening \"{\"");
                break;
            case Where::Inside:
                if (line == "}") {
                    where = Where::AfterClose;
                } else if (line == "{") {
                    misfit("opens a second \"{\"");
                } else if (auto entry = read_entry(line)) {
                    if (valid_utf8(line))
                        r.entries.push_back(*entry);
                    else
                        misfit("is not UTF-8 text");
                } else if (line.starts_with('}') || line.ends_with('}')) {
                    misfit("holds more than the closing \"}\"");
                } else {
                    misfit("is not one \"key\":\"value\" entry");
                }
                break;
            case Where::AfterClose:
                misfit("follows the closing \"}\"");
                break;
        }
    }
    if (!r.misfit && where == Where::Inside)
        r.misfit = Misfit{last_number, last_line, "is the last, and no closing \"}\" follows it"};
    return r;
}

// At most kShownLineBytes of the line, cut between characters.
std::string shown_line(std::string_view line) {
    if (line.size() <= kShownLineBytes) return std::string(line);
    std::size_t cut = kShownLineBytes;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    return std::string(line.substr(0, cut)) + "...";
}

std::string misfit_message(const Misfit& m) {
    return "The model-matching file cannot be rewritten entry for entry, so nothing was "
           "changed. Line " +
           std::to_string(m.number) + " " + std::string(m.reason) + ":\r\n\r\n" +
           shown_line(m.text);
}

// Every occurrence, in this order, case-sensitively. Each pair keeps the length, so the text is
// fixed in place; a fix only raises letters, so no fix makes or spoils a match of a later one.
void apply_case_fixes(std::string& text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kFixes{{
        {"boeing", "Boeing"},
        {"airbus", "Airbus"},
        {"b7", "B7"},
        {"a2", "A2"},
        {"a1", "A1"},
        {"a3", "A3"},
        {"default", "Default"},
        {"b38m", "B38M"},
    }};
    for (const auto& [from, to] : kFixes) {
        for (auto at = text.find(from); at != std::string::npos;
             at = text.find(from, at + from.size()))
            text.replace(at, from.size(), to);
    }
}

bool equal_ignore_case(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return common::to_lower_char(x) == common::to_lower_char(y);
           });
}

std::string_view inner(std::string_view token) noexcept {
    return token.substr(1, token.size() - 2);
}

bool box_fits(std::string_view box) noexcept {
    return valid_utf8(box) && std::none_of(box.begin(), box.end(), [](char c) {
               return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
           });
}

using Pair = std::pair<std::string, std::string>;

// Collects the strings of a JSON text: the pairs of one flat object of strings, or the items of
// one flat array of strings. Anything else stops the parse with a reason.
class StringCollector : public nlohmann::json_sax<nlohmann::json> {
  public:
    explicit StringCollector(bool object) : object_(object) {}

    std::vector<Pair> pairs;
    std::vector<std::string> items;
    std::string problem;

    bool null() override { return fail("holds a value that is not text"); }
    bool boolean(bool) override { return null(); }
    bool number_integer(number_integer_t) override { return null(); }
    bool number_unsigned(number_unsigned_t) override { return null(); }
    bool number_float(number_float_t, const string_t&) override { return null(); }
    bool binary(binary_t&) override { return null(); }
    bool string(string_t& s) override {
        if (depth_ != 1) return fail("is not one object");
        if (object_)
            pairs.emplace_back(std::move(key_), std::move(s));
        else
            items.push_back(std::move(s));
        return true;
    }
    bool start_object(std::size_t) override {
        return object_ && depth_++ == 0 ? true : fail("holds a nested object");
    }
    bool key(string_t& k) override {
        key_ = std::move(k);
        return true;
    }
    bool end_object() override {
        --depth_;
        return true;
    }
    bool start_array(std::size_t) override {
        return !object_ && depth_++ == 0 ? true : fail("holds an array");
    }
    bool end_array() override {
        --depth_;
        return true;
    }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        return fail(std::string("is not valid JSON (") + ex.what() + ")");
    }

  private:
    bool fail(std::string why) {
        problem = std::move(why);
        return false;
    }
    bool object_;
    int depth_ = 0;
    std::string key_;
};

std::string pair_text(const Pair& p) {
    // The decoded texts, quoted as they would be written.
    return "\"" + p.first + "\":\"" + p.second + "\"";
}

std::optional<std::string> check_lines(const ConfigLines& old, std::string_view key,
                                       std::string_view value, std::string_view new_text) {
    // The old keys and values as one JSON array, case-fixed as the whole text is (no fix spans
    // a quote), so that the same parser decodes both sides.
    std::string tokens;
    tokens.reserve(old.body.size() + key.size() + value.size() + 8);
    tokens += '[';
    for (const Entry& e : old.entries) {
        tokens.append(e.key).append(",").append(e.value).append(",");
    }
    tokens.append("\"").append(key).append("\",\"").append(value).append("\"]");
    apply_case_fixes(tokens);
    StringCollector decoded(false);
    if (!nlohmann::json::sax_parse(tokens.begin(), tokens.end(), &decoded))
        return "an entry of the file " + decoded.problem;
    if (decoded.items.size() != 2 * (old.entries.size() + 1))
        return std::string("an entry of the file is not one key and one value");

    StringCollector found(true);
    if (!nlohmann::json::sax_parse(new_text.begin(), new_text.end(), &found))
        return "it " + found.problem;

    std::vector<Pair> expected;
    expected.reserve(old.entries.size() + 1);
    for (std::size_t i = 0; i + 1 < decoded.items.size(); i += 2)
        expected.emplace_back(std::move(decoded.items[i]), std::move(decoded.items[i + 1]));
    std::sort(expected.begin(), expected.end());
    std::sort(found.pairs.begin(), found.pairs.end());
    if (expected == found.pairs) return std::nullopt;
    std::vector<Pair> odd;
    std::set_difference(expected.begin(), expected.end(), found.pairs.begin(), found.pairs.end(),
                        std::back_inserter(odd));
    if (!odd.empty()) return "it lacks the entry " + pair_text(odd.front());
    std::set_difference(found.pairs.begin(), found.pairs.end(), expected.begin(), expected.end(),
                        std::back_inserter(odd));
    return "it holds the entry " + pair_text(odd.front()) +
           " more often than the file and the new one";
}

// The new text: the entries sorted ignoring case (ties in byte order), every line but the last
// ending in a comma, inside "{" and "}", with the case fixes.
std::string rewrite(const ConfigLines& old, std::string_view new_content) {
    struct Item {
        std::string_view raw, lower;
    };
    const std::string lower_body = common::to_lower(old.body);
    const std::string lower_new = common::to_lower(new_content);
    std::vector<Item> items;
    items.reserve(old.entries.size() + 1);
    for (const Entry& e : old.entries) {
        const auto at = static_cast<std::size_t>(e.content.data() - old.body.data());
        items.push_back({e.content, std::string_view(lower_body).substr(at, e.content.size())});
    }
    items.push_back({new_content, lower_new});
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.lower != b.lower ? a.lower < b.lower : a.raw < b.raw;
    });

    std::string text;
    text.reserve(old.bom.size() + old.body.size() + new_content.size() + 3 * items.size() + 8);
    text.append(old.bom).append("{\r\n");
    for (std::size_t i = 0; i < items.size(); ++i)
        text.append(items[i].raw).append(i + 1 < items.size() ? ",\r\n" : "\r\n");
    text.append("}");
    apply_case_fixes(text);
    return text;
}

}  // namespace

AddPlan prepare_add(const AddRequest& request) {
    AddPlan plan;
    const auto stop = [&plan](AddStep step, std::string text) {
        plan.step = step;
        plan.message = common::Message{std::move(text)};
        return plan;
    };
    const std::string_view type = request.type_box, model = request.model_box;
    if (common::trim_spaces(type).empty() || common::trim_spaces(model).empty())
        return stop(AddStep::Stop, std::string(kInsufficientData));
    const std::string content = "\"" + std::string(type) + "\":\"" + std::string(model) + "\"";
    plan.entry = content + ",";
    if (lacks_folder(request.json_path)) return stop(AddStep::Stop, std::string(kNoLogsFolder));
    if (!box_fits(type) || !box_fits(model))
        return stop(AddStep::Refuse,
                    "The type and the model cannot hold a double quote, a backslash, a control "
                    "character or bytes that are not UTF-8, so nothing was changed:\r\n\r\n" +
                        plan.entry);

    const ConfigLines old = read_config_lines(request.json_text);
    if (old.misfit) return stop(AddStep::Refuse, misfit_message(*old.misfit));
    for (const Entry& e : old.entries) {
        if (equal_ignore_case(inner(e.key), type) && equal_ignore_case(inner(e.value), model))
            return stop(AddStep::Stop, "Config file already contains:\r\n\r\n" + plan.entry);
    }

    std::string text = rewrite(old, content);
    if (auto problem = check_lines(old, type, model, text))
        return stop(AddStep::Refuse,
                    "The new model-matching text failed its check, so nothing was changed: " +
                        *problem + ".");
    plan.new_text = std::move(text);
    return stop(AddStep::Ask, "Add to config.json?\r\n\r\n" + plan.entry);
}

std::string added_message(std::string_view entry) {
    return "Added:\r\n\r\n" + std::string(entry);
}

std::string companion_path(std::string_view json_path) {
    const auto last = json_path.find_last_of("\\/");
    const std::string_view folder =
        last == std::string_view::npos ? std::string_view{} : json_path.substr(0, last + 1);
    return std::string(folder).append(kCompanionFileName);
}

bool lacks_folder(std::string_view json_path) {
    return json_path.size() > 1 && common::is_separator(json_path.front()) &&
           json_path.find_first_of("\\/", 1) == std::string_view::npos;
}

std::optional<std::string> check_rewrite(std::string_view old_text, std::string_view type_box,
                                         std::string_view model_box, std::string_view new_text) {
    const ConfigLines old = read_config_lines(old_text);
    if (old.misfit)
        return "line " + std::to_string(old.misfit->number) + " of the old text " +
               std::string(old.misfit->reason);
    return check_lines(old, type_box, model_box, new_text);
}

}  // namespace matching

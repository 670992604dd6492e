#include "matching/model_config.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
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

// Reads the file as "{", one entry a line, "}" (or "{}" alone), blank lines anywhere. CR LF, LF
// and a bare CR all end a line; blanks around a line (spaces or tabs) do not count.
ConfigLines read_config_lines(std::string_view text) {
    ConfigLines r;
    if (text.starts_with(kBom)) r.bom = text.substr(0, kBom.size());
    r.body = text.substr(r.bom.size());
    enum class Where { BeforeOpen, Inside, AfterClose } where = Where::BeforeOpen;
    std::size_t number = 0, last_number = 0;
    std::string_view last_line;
    const std::string_view s = r.body;
    std::size_t lf = 0;  // the next LF at or after pos, or the end; found once, not per line
    for (std::size_t pos = 0; pos < s.size() && !r.misfit;) {
        if (lf < pos || pos == 0) {
            const void* at = std::memchr(s.data() + pos, '\n', s.size() - pos);
            lf = at ? static_cast<std::size_t>(static_cast<const char*>(at) - s.data()) : s.size();
        }
        std::size_t end = lf, next = lf + 1;
        if (const void* cr = std::memchr(s.data() + pos, '\r', lf - pos)) {
            end = static_cast<std::size_t>(static_cast<const char*>(cr) - s.data());
            next = end + 1 == lf ? lf + 1 : end + 1;
        }
        const std::string_view line = trim_blanks(s.substr(pos, end - pos));
        pos = next;
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
                    if (common::valid_utf8(line))
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
// fixed in place.
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
    return common::valid_utf8(box) && std::none_of(box.begin(), box.end(), [](char c) {
               return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
           });
}

// Collects the pairs of one flat object of strings, or one string alone. Anything else stops
// the parse with a reason.
class StringCollector : public nlohmann::json_sax<nlohmann::json> {
  public:
    explicit StringCollector(bool want_object) : want_object_(want_object) {}

    std::vector<std::pair<std::string, std::string>> pairs;
    std::string text;  // the one string
    std::string problem;

    bool null() override { return fail("holds a value that is not text"); }
    bool boolean(bool) override { return null(); }
    bool number_integer(number_integer_t) override { return null(); }
    bool number_unsigned(number_unsigned_t) override { return null(); }
    bool number_float(number_float_t, const string_t&) override { return null(); }
    bool binary(binary_t&) override { return null(); }
    bool string(string_t& s) override {
        if (!want_object_) {
            text = std::move(s);
            return true;
        }
        if (depth_ != 1) return fail("is not one object");
        pairs.emplace_back(std::move(key_), std::move(s));
        return true;
    }
    bool start_object(std::size_t) override {
        return want_object_ && depth_++ == 0 ? true : fail("holds a nested object");
    }
    bool key(string_t& k) override {
        key_ = std::move(k);
        return true;
    }
    bool end_object() override {
        --depth_;
        return true;
    }
    bool start_array(std::size_t) override { return fail("holds an array"); }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        return fail(std::string("is not valid JSON (") + ex.what() + ")");
    }

  private:
    bool fail(std::string why) {
        problem = std::move(why);
        return false;
    }
    bool want_object_;
    int depth_ = 0;
    std::string key_;
};

// Appending rather than adding to a literal keeps GCC 12's -Wrestrict false alarm away.
std::string quoted(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    return out.append("\"").append(s).append("\"");
}

std::string quoted_pair(std::string_view key, std::string_view value) {
    return quoted(key).append(":").append(quoted(value));
}

// The keys and values the new text must hold: the old entries' tokens and the new pair's,
// case-fixed as the whole text is (no fix spans a quote), decoded as JSON strings. Entry i has
// items 2i and 2i+1; the new pair comes last.
struct Decoded {
    std::string tokens;
    std::deque<std::string> escaped;  // decoded tokens that hold escapes
    std::vector<std::string_view> items;
    std::string problem;
};

bool decode_entries(const ConfigLines& old, std::string_view key, std::string_view value,
                    Decoded& d) {
    const std::string new_key = quoted(key), new_value = quoted(value);
    std::vector<std::size_t> ends;
    ends.reserve(2 * old.entries.size() + 2);
    d.tokens.reserve(old.body.size() + new_key.size() + new_value.size());
    const auto put = [&](std::string_view token) {
        d.tokens.append(token);
        ends.push_back(d.tokens.size());
    };
    for (const Entry& e : old.entries) {
        put(e.key);
        put(e.value);
    }
    put(new_key);
    put(new_value);
    apply_case_fixes(d.tokens);
    d.items.reserve(ends.size());
    std::size_t begin = 0;
    for (const std::size_t end : ends) {
        const std::string_view token(d.tokens.data() + begin, end - begin);
        begin = end;
        // Without escapes a well-formed token stands for the bytes between its quotes.
        if (string_token_length(token) == token.size() &&
            token.find('\\') == std::string_view::npos && common::valid_utf8(token)) {
            d.items.push_back(inner(token));
            continue;
        }
        StringCollector one(false);
        if (!nlohmann::json::sax_parse(token.begin(), token.end(), &one)) {
            d.problem = std::move(one.problem);
            return false;
        }
        d.items.push_back(d.escaped.emplace_back(std::move(one.text)));
    }
    return true;
}

// The places of the entries in the new file, sorted ignoring case, ties in byte order: old entry
// i is i, the new one old.entries.size().
std::vector<std::size_t> sorted_order(const ConfigLines& old, std::string_view new_content) {
    struct Item {
        std::string_view raw, lower;
        std::size_t index;
    };
    const std::string lower_body = common::to_lower(old.body);
    const std::string lower_new = common::to_lower(new_content);
    std::vector<Item> items;
    items.reserve(old.entries.size() + 1);
    for (std::size_t i = 0; i < old.entries.size(); ++i) {
        const std::string_view c = old.entries[i].content;
        const auto at = static_cast<std::size_t>(c.data() - old.body.data());
        items.push_back({c, std::string_view(lower_body).substr(at, c.size()), i});
    }
    items.push_back({new_content, lower_new, old.entries.size()});
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        const int by_lower = a.lower.compare(b.lower);
        return by_lower != 0 ? by_lower < 0 : a.raw < b.raw;
    });
    std::vector<std::size_t> order;
    order.reserve(items.size());
    for (const Item& item : items) order.push_back(item.index);
    return order;
}

// The new text holds, in the given order, exactly the decoded entries. The order is a
// permutation of them all, so this proves that none is lost, doubled or changed.
std::optional<std::string> check_lines(const ConfigLines& old, std::string_view key,
                                       std::string_view value,
                                       const std::vector<std::size_t>& order,
                                       std::string_view new_text) {
    Decoded d;
    if (!decode_entries(old, key, value, d)) return "an entry of the file " + d.problem;
    StringCollector found(true);
    if (!nlohmann::json::sax_parse(new_text.data(), new_text.data() + new_text.size(), &found))
        return "it " + found.problem;
    if (found.pairs.size() != order.size())
        return "it holds " + std::to_string(found.pairs.size()) + " entries, not " +
               std::to_string(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string_view k = d.items[2 * order[i]], v = d.items[2 * order[i] + 1];
        const auto& [found_key, found_value] = found.pairs[i];
        if (found_key != k || found_value != v)
            return "its entry " + std::to_string(i + 1) + " is " +
                   quoted_pair(found_key, found_value) + ", not " + quoted_pair(k, v);
    }
    return std::nullopt;
}

// "{", the entries in order, every line but the last ending in a comma, "}", case-fixed.
std::string rewrite(const ConfigLines& old, std::string_view new_content,
                    const std::vector<std::size_t>& order) {
    std::string text;
    text.reserve(old.bom.size() + old.body.size() + new_content.size() + 3 * order.size() + 8);
    text.append(old.bom).append("{\r\n");
    for (std::size_t i = 0; i < order.size(); ++i) {
        text.append(order[i] < old.entries.size() ? old.entries[order[i]].content : new_content);
        text.append(i + 1 < order.size() ? ",\r\n" : "\r\n");
    }
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
    const std::string content = quoted_pair(type, model);
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

    const std::vector<std::size_t> order = sorted_order(old, content);
    std::string text = rewrite(old, content, order);
    if (auto problem = check_lines(old, type, model, order, text))
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
    const std::string content = quoted_pair(type_box, model_box);
    return check_lines(old, type_box, model_box, sorted_order(old, content), new_text);
}

}  // namespace matching

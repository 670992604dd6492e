#include <array>
#include <ostream>

#include "app/log_session.hpp"
#include "app/suggestion_click.hpp"
#include "cli/commands.hpp"

namespace cli {
namespace {

constexpr std::array kForms{
    Usage{"LOGFILE",
          "Parses LOGFILE and prints, for each suggestion in order, what a click on it gives:\n"
          "the row, a TAB, the type box, a TAB, the model box, a TAB, and the first record\n"
          "shown with the highlighted row (1 to 25) as FIRST:ROW, or - when no record matches.\n"
          "Writes nothing."}};

int suggest(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    auto log_text = read_log(invocation.operands[0], err);
    if (!log_text) return kUsageError;
    const logs::ParseResult p =
        logs::get_list4(*log_text, app::parse_options(app::kDefaultHeaderHeightTwips));
    for (const std::string& row : p.suggestions) {
        // Each row as clicked right after the parse: the first page drawn.
        logs::SpawnTable table;
        table.after_parse(p.records);
        const app::SuggestionClick click =
            app::list1_mouse_down(row, table, p.records, p.record_count);
        out << row << '\t' << click.type_code << '\t' << click.model_name << '\t';
        if (click.placement) {
            out << click.placement->first_record << ':' << click.placement->row << '\n';
        } else {
            out << "-\n";
        }
    }
    return p.suggestions.empty() ? kNothingFound : kOk;
}

}  // namespace

Command suggest_command() {
    return {"suggest", "LOGFILE", 1, kForms, &suggest};
}

}  // namespace cli

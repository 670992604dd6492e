#include <array>
#include <ostream>

#include "app/log_session.hpp"
#include "cli/commands.hpp"
#include "common/text.hpp"

namespace cli {
namespace {

constexpr std::array kForms{
    Usage{"LOGFILE",
          "Parses LOGFILE as choosing it in the log list does, writes the result lists\n"
          "DIR/models/no-match, DIR/models/matched and DIR/models/models (only when the log\n"
          "holds records), and prints, with LF line ends:\n"
          "  records: <number of records>\n"
          "  failed: <number of failed model matches>\n"
          "  == records       each record, newest first\n"
          "  == defaults      each aircraft spawned with a default model, ref#callsign\n"
          "  == suggestions   each suggestion, a TAB, the model it stands for\n"
          "  == messages      each message the window would show, in order"}};

int analyze(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    auto log_text = read_log(invocation.operands[0], err);
    if (!log_text) return kUsageError;
    const app::ProgramLayout layout(invocation.app_folder);
    if (!prepare_app_folder(layout, err)) return kWriteFailed;

    app::LogState state;
    const app::ChooseOutcome outcome = app::parse_log_text(state, std::move(*log_text), layout);
    const logs::ParseResult& p = state.parse;

    out << "records: " << p.record_count << '\n';
    out << "failed: " << p.fail_count << '\n';
    out << "== records\n";
    for (std::size_t i = 0; i < p.records.row_count(); ++i) {
        const std::string_view row = p.records.row(i);
        if (!row.empty()) out << row << '\n';
    }
    out << "== defaults\n";
    for (std::string_view entry : common::split(p.defaults_list, ",")) {
        if (!entry.empty()) out << entry << '\n';
    }
    out << "== suggestions\n";
    for (std::size_t i = 0; i < p.suggestions.size(); ++i) {
        out << p.suggestions[i] << '\t'
            << (i < p.suggestion_models.size() ? p.suggestion_models[i] : std::string()) << '\n';
    }
    out << "== messages\n";
    for (const auto& m : outcome.messages) print_message(out, m.text);

    for (const auto& e : state.write_errors) report_write_error(e, err);
    if (!state.write_errors.empty()) return kWriteFailed;
    return p.records.empty() ? kNothingFound : kOk;
}

}  // namespace

Command analyze_command() {
    return {"analyze", "LOGFILE", 1, kForms, &analyze};
}

}  // namespace cli

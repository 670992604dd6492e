#include "cli/cli.hpp"

#include <optional>
#include <ostream>

#include "app/log_session.hpp"
#include "app/program_layout.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "logs/result_lists.hpp"
#include "platform/core/program_folder.hpp"

namespace cli {
namespace {

constexpr int kOk = 0;
constexpr int kNoRecords = 1;  // also: a report that found nothing
constexpr int kUsage = 2;
constexpr int kWriteFailed = 3;

constexpr std::string_view kHelp =
    R"(skelvar-cli: the log analysis of Skelvar without a window.

Usage:
  skelvar-cli analyze LOGFILE [--app-folder DIR]
      Parses LOGFILE as choosing it in the log list does, writes the result lists
      DIR/models/no-match, DIR/models/matched and DIR/models/models (only when the log
      holds records), and prints, with LF line ends:
        records: <number of records>
        failed: <number of failed model matches>
        == records       each record, newest first
        == defaults      each aircraft spawned with a default model, ref#callsign
        == suggestions   each suggestion, a TAB, the model it stands for
        == messages      each message the window would show, in order
  skelvar-cli report failures LOGFILE [--app-folder DIR]
      Writes the "Failed to read" lines of LOGFILE to DIR/models/failures and prints them.
  skelvar-cli report titles LOGFILE [--app-folder DIR]
      Writes the add-on titles named in LOGFILE to DIR/system/fnd and prints them.
  skelvar-cli --help
      Shows this text.

DIR defaults to the folder that holds skelvar-cli; its "system" and "models" folders are
created when missing. Instead of a report the message the window would show is printed
when there is nothing to report.

Exit status: 0 records found / report written; 1 no records / nothing to report;
2 usage error or unreadable LOGFILE; 3 a result file could not be written.
)";

struct Args {
    std::vector<std::string> positional;
    std::string app_folder;
};

std::optional<Args> parse_args(const std::vector<std::string>& args, std::ostream& err) {
    Args parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--app-folder") {
            if (i + 1 >= args.size()) {
                err << "skelvar-cli: --app-folder needs a folder\n";
                return std::nullopt;
            }
            parsed.app_folder = args[++i];
        } else if (args[i].starts_with("--")) {
            err << "skelvar-cli: unknown option " << args[i] << "\n";
            return std::nullopt;
        } else {
            parsed.positional.push_back(args[i]);
        }
    }
    if (parsed.app_folder.empty()) parsed.app_folder = platform::program_folder();
    return parsed;
}

// The window reads a missing file as empty; here the caller named a file, so say so.
std::optional<std::string> read_log(const std::string& path, std::ostream& err) {
    common::ReadResult r = common::read_file_checked(path);
    if (r.error) {
        err << "skelvar-cli: cannot read log file " << r.error->text() << "\n";
        return std::nullopt;
    }
    return std::move(r.data);
}

bool prepare_app_folder(const app::ProgramLayout& layout, std::ostream& err) {
    bool ok = true;
    for (const std::string& folder :
         {layout.root(), layout.system_folder(), layout.models_folder()}) {
        if (auto status = common::create_folder(folder); !status) {
            err << "skelvar-cli: cannot create the folder " << status.error->text() << "\n";
            ok = false;
        }
    }
    return ok;
}

void print_lines(std::ostream& out, std::string_view text, std::string_view sep) {
    for (std::string_view line : common::split(text, sep)) {
        if (!line.empty()) out << line << '\n';
    }
}

// Messages may hold CR LF; the output uses LF only.
void print_message(std::ostream& out, std::string_view text) {
    out << common::replace_all(text, "\r\n", "\n") << '\n';
}

int analyze(const Args& a, std::ostream& out, std::ostream& err) {
    const std::string& log_path = a.positional[1];
    auto log_text = read_log(log_path, err);
    if (!log_text) return kUsage;
    const app::ProgramLayout layout(a.app_folder);
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
    print_lines(out, p.defaults_list, ",");
    out << "== suggestions\n";
    for (std::size_t i = 0; i < p.suggestions.size(); ++i) {
        out << p.suggestions[i] << '\t'
            << (i < p.suggestion_models.size() ? p.suggestion_models[i] : std::string()) << '\n';
    }
    out << "== messages\n";
    for (const auto& m : outcome.messages) print_message(out, m.text);

    if (!state.write_errors.empty()) {
        for (const auto& e : state.write_errors)
            err << "skelvar-cli: could not write " << e.text() << "\n";
        return kWriteFailed;
    }
    return p.records.empty() ? kNoRecords : kOk;
}

int report(const Args& a, std::ostream& out, std::ostream& err) {
    const std::string& kind = a.positional[1];
    if (kind != "failures" && kind != "titles") {
        err << "skelvar-cli: unknown report " << kind << " (failures or titles)\n";
        return kUsage;
    }
    const std::string& log_path = a.positional[2];
    const auto read = read_log(log_path, err);
    if (!read) return kUsage;
    const std::string& log_text = *read;
    const app::ProgramLayout layout(a.app_folder);
    if (!prepare_app_folder(layout, err)) return kWriteFailed;

    const bool failures = kind == "failures";
    const logs::Report r =
        failures ? logs::get_failures(log_text) : logs::chk_types_listed(log_text);
    if (r.message) {
        print_message(out, r.message->text);
        return kNoRecords;
    }
    const std::string target = failures ? layout.failures_report() : layout.titles_report();
    const common::FileStatus written = common::savetext(target, r.text);
    out << common::replace_all(r.text, "\r\n", "\n");
    if (!written) {
        err << "skelvar-cli: could not write " << written.error->text() << "\n";
        return kWriteFailed;
    }
    return kOk;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << kHelp;
        return kOk;
    }
    const auto parsed = parse_args(args, err);
    if (!parsed) {
        err << "Try skelvar-cli --help\n";
        return kUsage;
    }
    const auto& pos = parsed->positional;
    if (pos.size() == 2 && pos[0] == "analyze") return analyze(*parsed, out, err);
    if (pos.size() == 3 && pos[0] == "report") return report(*parsed, out, err);
    err << "skelvar-cli: expected \"analyze LOGFILE\" or \"report failures|titles LOGFILE\"\n"
        << "Try skelvar-cli --help\n";
    return kUsage;
}

}  // namespace cli

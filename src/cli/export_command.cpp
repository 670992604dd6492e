#include <array>
#include <ostream>

#include "app/log_session.hpp"
#include "app/table_export.hpp"
#include "cli/commands.hpp"
#include "logs/log_parser.hpp"

namespace cli {
namespace {

constexpr std::array kForms{
    Usage{"LOGFILE [--out FILE]",
          "Parses LOGFILE and writes its records as CSV (UTF-8, the table's seven column\n"
          "headings, newest first) to FILE, or prints them. Exit status 0 with records, 1\n"
          "without, 3 when FILE could not be written."}};

int export_table(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const auto log_text = read_log(invocation.operands[0], err);
    if (!log_text) return kUsageError;
    const logs::ParseResult parse = logs::get_list4(*log_text, app::parse_options());
    const std::string csv = app::records_csv(parse.records);
    const std::optional<std::string> file = invocation.value("--out");
    if (!file) {
        out << csv;
    } else if (const common::FileStatus written = common::write_file_atomic(*file, csv); !written) {
        report_write_error(*written.error, err);
        return kWriteFailed;
    }
    return parse.record_count > 0 ? kOk : kNothingFound;
}

}  // namespace

Command export_command() {
    Command c{"export", "LOGFILE [--out FILE]", 1, kForms, &export_table};
    c.value_option = "--out";
    c.app_folder = false;
    return c;
}

}  // namespace cli

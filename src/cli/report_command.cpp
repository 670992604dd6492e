#include <array>
#include <ostream>

#include "cli/commands.hpp"
#include "common/text.hpp"
#include "logs/result_lists.hpp"

namespace cli {
namespace {

constexpr std::array kForms{
    Usage{"failures LOGFILE",
          "Writes the \"Failed to read\" lines of LOGFILE to DIR/models/failures and prints them."},
    Usage{"titles LOGFILE",
          "Writes the add-on titles named in LOGFILE to DIR/system/fnd and prints them."}};

int report(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& kind = invocation.operands[0];
    if (kind != "failures" && kind != "titles") {
        err << "skelvar-cli: unknown report " << kind << " (failures or titles)\n";
        return kUsageError;
    }
    const auto log_text = read_log(invocation.operands[1], err);
    if (!log_text) return kUsageError;
    const app::ProgramLayout layout(invocation.app_folder);
    if (!prepare_app_folder(layout, err)) return kWriteFailed;

    const bool failures = kind == "failures";
    const logs::Report r =
        failures ? logs::get_failures(*log_text) : logs::chk_types_listed(*log_text);
    if (r.message) {
        print_message(out, r.message->text);
        return kNothingFound;
    }
    const std::string target = failures ? layout.failures_report() : layout.titles_report();
    const common::FileStatus written = common::savetext(target, r.text);
    out << common::replace_all(r.text, "\r\n", "\n");
    if (!written) {
        report_write_error(*written.error, err);
        return kWriteFailed;
    }
    return kOk;
}

}  // namespace

Command report_command() {
    return {"report", "failures|titles LOGFILE", 2, kForms, &report};
}

}  // namespace cli

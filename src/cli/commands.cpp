#include "cli/commands.hpp"

#include <algorithm>
#include <array>
#include <ostream>

#include "common/text.hpp"

namespace cli {

std::span<const Command> command_table() {
    // One row per command.
    // clang-format off
    static const std::array table{
        analyze_command(),
        report_command(),
        suggest_command(),
        add_match_command(),
        check_update_command(),
        export_command(),
        airports_command(),
        airport_search_command(),
        traffic_command(),
    };
    // clang-format on
    return table;
}

std::optional<std::string> Invocation::value(std::string_view option) const {
    std::optional<std::string> found;
    for (const auto& [name, given] : values) {
        if (name == option) found = given;
    }
    return found;
}

bool Invocation::has(std::string_view option) const {
    return std::find(switches.begin(), switches.end(), option) != switches.end();
}

// The window reads a missing file as empty; here the caller named a file, so say so.
std::optional<std::string> read_log(const std::string& path, std::ostream& err) {
    common::ReadResult r = common::read_file_checked(path);
    if (r.error) {
        err << "skelvar-cli: cannot read the log " << r.error->text() << "\n";
        return std::nullopt;
    }
    return std::move(r.data);
}

bool prepare_app_folder(const app::ProgramLayout& layout, std::ostream& err) {
    // Each folder lies in the one before, so the first failure is the one worth reporting.
    for (const std::string& folder :
         {layout.root(), layout.system_folder(), layout.models_folder()}) {
        if (auto status = common::create_folder(folder); !status) {
            err << "skelvar-cli: cannot create the folder " << status.error->text() << "\n";
            return false;
        }
    }
    return true;
}

void report_write_error(const common::FileError& error, std::ostream& err) {
    err << "skelvar-cli: cannot write " << error.text() << "\n";
}

void print_message(std::ostream& out, std::string_view text) {
    out << common::replace_all(text, "\r\n", "\n") << '\n';
}

}  // namespace cli

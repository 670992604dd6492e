#pragma once
// The companion's commands: one function per command, each in its own file, and the table that
// names them. A new command is a new file plus one row in command_table().

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/program_layout.hpp"
#include "common/file_io.hpp"

namespace cli {

enum ExitStatus : int {
    kOk = 0,            // records found, report written
    kNothingFound = 1,  // no records, nothing to report
    kUsageError = 2,    // usage error or unreadable LOGFILE
    kWriteFailed = 3,   // a file or folder could not be written
    kOutputFailed = 4,  // the standard output could not be written
};

struct Invocation {
    std::vector<std::string> operands;  // the words after the command's name
    std::string app_folder;
    bool flag = false;         // the command's own switch was given
    std::string option_value;  // the word after the command's value option, "" without it
    // Every value option given, in order, with its value (the last one of a name counts).
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> switches;  // every switch given (flag and flags), in order

    // The value of the option, or nothing when it was not given.
    [[nodiscard]] std::optional<std::string> value(std::string_view option) const;
    // Whether the switch was given.
    [[nodiscard]] bool has(std::string_view option) const;
};

// One form of a command as --help shows it.
struct Usage {
    std::string_view operands;     // after the command's name, e.g. "failures LOGFILE"
    std::string_view description;  // lines separated by '\n'
};

struct Command {
    std::string_view name;
    std::string_view synopsis;  // the operands in short, for usage errors
    std::size_t operand_count;
    std::span<const Usage> usage;
    int (*run)(const Invocation& invocation, std::ostream& out, std::ostream& err);
    std::string_view flag = {};  // a switch of this command alone (e.g. "--yes"), "" for none
    bool app_folder = true;      // whether it takes --app-folder DIR
    std::string_view value_option = {};  // a switch of this command with a value ("--url")
    std::span<const std::string_view> value_options = {};  // more of them
    std::span<const std::string_view> flags = {};          // more switches without a value
};

Command analyze_command();
Command report_command();
Command suggest_command();
Command add_match_command();
Command check_update_command();
Command export_command();
Command airports_command();
Command airport_search_command();
Command traffic_command();

std::span<const Command> command_table();

// What the commands share. Problems go to err as "skelvar-cli: ..." lines.

// The whole log; a log that cannot be read is reported with its path and cause.
std::optional<std::string> read_log(const std::string& path, std::ostream& err);
// Creates the program folder and its "system" and "models" folders when missing.
bool prepare_app_folder(const app::ProgramLayout& layout, std::ostream& err);
void report_write_error(const common::FileError& error, std::ostream& err);
// A message as the window would show it, with LF line ends.
void print_message(std::ostream& out, std::string_view text);

}  // namespace cli

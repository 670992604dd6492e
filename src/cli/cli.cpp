#include "cli/cli.hpp"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <ostream>
#include <system_error>

#include "app/build_settings.hpp"
#include "app/program_layout.hpp"
#include "cli/commands.hpp"
#include "common/text.hpp"
#include "platform/core/data_folder.hpp"

namespace cli {
namespace {

constexpr std::string_view kHelpIntro =
    "skelvar-cli: the log analysis, the model-matching file edit and the live traffic of Skelvar "
    "without a window.\n\nUsage:\n";

constexpr std::string_view kHelpOutro =
    R"(  skelvar-cli --version
      Prints the program's version.
  skelvar-cli --help
      Shows this text.

DIR defaults to the folder that holds skelvar-cli when that folder is writable, otherwise to
the user's data folder ($XDG_DATA_HOME/skelvar or ~/.local/share/skelvar; %APPDATA%\skelvar
on Windows), whose "system" folder is first copied from beside skelvar-cli. Its "system" and
"models" folders are created when missing. Instead of a report the message the window would
show is printed when there is nothing to report.

Exit status: 0 records found / report written; 1 no records / nothing to report;
2 usage error or unreadable LOGFILE; 3 a file or folder could not be written;
4 the standard output could not be written (instead of 0 or 1).
)";

void print_help(std::ostream& out) {
    out << kHelpIntro;
    for (const Command& command : command_table()) {
        for (const Usage& usage : command.usage) {
            out << "  skelvar-cli " << command.name;
            if (!usage.operands.empty()) out << ' ' << usage.operands;
            out << (command.app_folder ? " [--app-folder DIR]\n" : "\n");
            for (std::string_view line : common::split(usage.description, "\n"))
                out << "      " << line << '\n';
        }
    }
    out << kHelpOutro;
}

int usage_error(std::ostream& err) {
    err << "Try skelvar-cli --help\n";
    return kUsageError;
}

// The command's name, its operands and the options every command takes.
struct Words {
    std::vector<std::string> positional;
    std::vector<std::string> switches;  // the other "--" words, for the command to accept
    std::string app_folder;
    std::string value_option;  // a command's switch that took the next word, e.g. "--url"
    std::string option_value;
    std::vector<std::pair<std::string, std::string>> values;  // every such switch, in order
};

bool takes_value(const Command& c, std::string_view word) {
    return (!c.value_option.empty() && c.value_option == word) ||
           std::find(c.value_options.begin(), c.value_options.end(), word) != c.value_options.end();
}

bool is_value_option(std::string_view word) {
    const auto table = command_table();
    return std::any_of(table.begin(), table.end(),
                       [word](const Command& c) { return takes_value(c, word); });
}

std::optional<Words> parse_args(const std::vector<std::string>& args, std::ostream& err) {
    Words parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--app-folder") {
            if (i + 1 >= args.size()) {
                err << "skelvar-cli: --app-folder needs a folder\n";
                return std::nullopt;
            }
            parsed.app_folder = args[++i];
        } else if (is_value_option(args[i])) {
            if (i + 1 >= args.size()) {
                err << "skelvar-cli: " << args[i] << " needs a value\n";
                return std::nullopt;
            }
            parsed.value_option = args[i];
            parsed.option_value = args[++i];
            parsed.values.emplace_back(parsed.value_option, parsed.option_value);
        } else if (args[i].starts_with("--")) {
            parsed.switches.push_back(args[i]);
        } else {
            parsed.positional.push_back(args[i]);
        }
    }
    return parsed;
}

const Command* find_command(std::string_view name) {
    const auto table = command_table();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [name](const Command& c) { return c.name == name; });
    return it == table.end() ? nullptr : &*it;
}

void print_expected(std::ostream& err, std::span<const Command> commands) {
    err << "skelvar-cli: expected ";
    const char* sep = "";
    for (const Command& c : commands) {
        err << sep << '"' << c.name << ' ' << c.synopsis << '"';
        sep = " or ";
    }
    err << "\n";
}

// A full disk behind the standard output must not pass for success. The stream may keep the
// output in a buffer until the flush, so its state counts both after writing and after flushing.
int check_output(int status, std::ostream& out, std::ostream& err) {
    errno = 0;
    if (out && out.flush()) return status;
    const int cause = errno;
    err << "skelvar-cli: cannot write the standard output";
    if (cause != 0) err << ": " << std::error_code(cause, std::generic_category()).message();
    err << "\n";
    // A usage or file error already has its own status and message.
    return status == kOk || status == kNothingFound ? kOutputFailed : status;
}

int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        print_help(out);
        return kOk;
    }
    if (!args.empty() && args[0] == "--version") {
        out << "Skelvar " << app::kAppVersion << '\n';
        return kOk;
    }
    auto parsed = parse_args(args, err);
    if (!parsed) return usage_error(err);
    auto& words = parsed->positional;
    const Command* command = words.empty() ? nullptr : find_command(words.front());
    for (const std::string& word : parsed->switches) {
        if (!command ||
            (word != command->flag && std::find(command->flags.begin(), command->flags.end(),
                                                word) == command->flags.end())) {
            err << "skelvar-cli: unknown option " << word << "\n";
            return usage_error(err);
        }
    }
    if (!command) {
        if (!words.empty()) err << "skelvar-cli: unknown command " << words.front() << "\n";
        print_expected(err, command_table());
        return usage_error(err);
    }
    for (const auto& given : parsed->values) {
        if (!takes_value(*command, given.first)) {
            err << "skelvar-cli: unknown option " << given.first << "\n";
            return usage_error(err);
        }
    }
    if (words.size() - 1 != command->operand_count) {
        print_expected(err, {command, 1});
        return usage_error(err);
    }
    // Chosen only now: the choice may create and seed the user's data folder.
    if (parsed->app_folder.empty())
        parsed->app_folder = platform::data_folder(
            [](const std::string& root) { return app::ProgramLayout(root).system_folder(); });
    Invocation invocation{
        {std::make_move_iterator(words.begin() + 1), std::make_move_iterator(words.end())},
        std::move(parsed->app_folder),
        !parsed->switches.empty(),
        std::move(parsed->option_value),
        std::move(parsed->values),
        std::move(parsed->switches)};
    return command->run(invocation, out, err);
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return check_output(dispatch(args, out, err), out, err);
}

}  // namespace cli

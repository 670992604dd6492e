#include <array>
#include <ostream>

#include "app/model_config_session.hpp"
#include "cli/commands.hpp"

namespace cli {
namespace {

constexpr std::array kForms{Usage{
    "JSONFILE TYPE MODEL [--yes]",
    "Adds the entry \"TYPE\":\"MODEL\" to the model-matching file JSONFILE as \"Add to Config\"\n"
    "does: the duplicate check, the question, the sorted rewrite, then JSONFILE and its copy\n"
    "ModelMatching_.json beside it are written. Without --yes it prints the question and\n"
    "changes nothing. A file that is not one entry a line is refused, naming the line.\n"
    "Prints each message the window would show, in order. Exit status: 0 added; 1 refused,\n"
    "insufficient data, already contained or not confirmed; 3 a file could not be written."}};

int add_match(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& json_path = invocation.operands[0];
    const matching::AddPlan plan =
        app::plan_config_add(json_path, invocation.operands[1], invocation.operands[2]);
    print_message(out, plan.message.text);
    if (plan.step != matching::AddStep::Ask) return kNothingFound;
    if (!invocation.flag) {
        err << "skelvar-cli: not confirmed; nothing was changed (--yes adds the entry)\n";
        return kNothingFound;
    }

    const app::AddResult result = app::write_config(json_path, plan.entry, plan.new_text);
    for (const common::Message& m : result.messages) print_message(out, m.text);
    for (const common::FileError& e : result.errors) report_write_error(e, err);
    if (!result.errors.empty()) return kWriteFailed;
    return result.added ? kOk : kNothingFound;
}

}  // namespace

Command add_match_command() {
    return {"add-match", "JSONFILE TYPE MODEL [--yes]", 3, kForms, &add_match, "--yes", false};
}

}  // namespace cli

#include <algorithm>
#include <array>
#include <ostream>

#include "app/reports.hpp"
#include "cli/commands.hpp"
#include "common/text.hpp"

namespace cli {
namespace {

constexpr std::array kForms{
    Usage{"failures LOGFILE",
          "Writes the \"Failed to read\" lines of LOGFILE to DIR/models/failures and prints them."},
    Usage{"titles LOGFILE",
          "Writes the add-on titles named in LOGFILE to DIR/system/fnd and prints them."},
    Usage{"nomatch|matched|engines LOGFILE",
          "Parses LOGFILE, writes the sorted default-model, matched or model-combination list\n"
          "to DIR/models/no-match, DIR/models/matched or DIR/models/models and prints it."},
    Usage{"config JSONFILE",
          "Prints ModelMatching.json in the folder of JSONFILE, as Reports > ModelConfig File\n"
          "opens it."}};

struct Kind {
    std::string_view name;
    app::ReportItem item;
};
constexpr std::array kKinds{Kind{"failures", app::ReportItem::MissingJsonFiles},
                            Kind{"titles", app::ReportItem::AddonTitles},
                            Kind{"nomatch", app::ReportItem::NonMatching},
                            Kind{"matched", app::ReportItem::MatchingModels},
                            Kind{"engines", app::ReportItem::EngineTypes},
                            Kind{"config", app::ReportItem::ModelConfigFile}};

int report(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& name = invocation.operands[0];
    const auto* kind =
        std::find_if(kKinds.begin(), kKinds.end(), [&](const Kind& k) { return k.name == name; });
    if (kind == kKinds.end()) {
        err << "skelvar-cli: unknown report " << name
            << " (failures, titles, nomatch, matched, engines or config)\n";
        return kUsageError;
    }
    const std::string& file = invocation.operands[1];
    app::Session s;
    s.frame.layout = app::ProgramLayout(invocation.app_folder);
    s.frame.logs_checked = true;
    if (kind->item == app::ReportItem::ModelConfigFile) {
        s.matching.json_path = file;
    } else {
        auto log_text = read_log(file, err);
        if (!log_text) return kUsageError;
        if (!prepare_app_folder(s.frame.layout, err)) return kWriteFailed;
        app::parse_log_text(s.logs.log, std::move(*log_text), s.frame.layout);
        s.logs.list.chosen = 0;  // the log named is the one chosen
    }

    const app::ReportPlan plan = app::mmo_click(s, kind->item);
    if (plan.message) {
        print_message(out, plan.message->text);
        return kNothingFound;
    }
    const std::string shown = plan.write_path.empty() ? s.matching.json_text : plan.text;
    out << common::replace_all(shown, "\r\n", "\n");
    for (const auto& e : plan.write_errors) report_write_error(e, err);
    return plan.write_errors.empty() ? kOk : kWriteFailed;
}

}  // namespace

Command report_command() {
    return {"report", "failures|titles|nomatch|matched|engines|config FILE", 2, kForms, &report};
}

}  // namespace cli

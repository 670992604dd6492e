#include "app/reports.hpp"

#include "common/text.hpp"
#include "logs/result_lists.hpp"

namespace app {
namespace {

constexpr std::string_view kSelectALog = "Select a log";

// Sorts the kept list in place and writes it as its report file.
void sorted_list(std::string& kept, std::string path, ReportPlan& plan) {
    kept = common::sort(kept);
    plan.write_path = std::move(path);
    plan.text = kept;
    plan.open_path = plan.write_path;
}

void log_report(const logs::Report& r, std::string path, ReportPlan& plan) {
    if (r.message) {
        plan.message = r.message;
        return;
    }
    plan.write_path = std::move(path);
    plan.text = r.text;
    plan.open_path = plan.write_path;
}

}  // namespace

ReportPlan mmo_click(Session& s, ReportItem item) {
    ReportPlan plan;
    const ProgramLayout& layout = s.frame.layout;
    plan.write_errors = ensure_result_lists(s.logs.log, layout);
    logs::ResultTexts& lists = s.logs.log.results;
    switch (item) {
        case ReportItem::ModelConfigFile: {
            const std::string path = model_matching_reload_path(s.matching.json_path);
            if (!common::file_exists(path)) {
                plan.message = common::Message{"Can't locate config.json"};
                break;
            }
            s.matching.json_text = common::read_file(path);
            plan.open_path = path;
            break;
        }
        case ReportItem::NonMatching:
        case ReportItem::MatchingModels: {
            const bool nomatch = item == ReportItem::NonMatching;
            std::string& kept = nomatch ? lists.nomatch_text : lists.matched_text;
            if (kept.empty()) {
                plan.show_log_view = !s.frame.logs_checked;
                plan.message = common::Message{std::string(kSelectALog)};
                break;
            }
            sorted_list(kept,
                        layout.result_file(nomatch ? ResultList::NoMatch : ResultList::Matched),
                        plan);
            break;
        }
        case ReportItem::EngineTypes:
            sorted_list(lists.models_text, layout.result_file(ResultList::Models), plan);
            break;
        case ReportItem::AddonTitles:
            if (s.logs.list.chosen < 0) {
                plan.show_log_view = !s.frame.logs_checked;
                plan.message = common::Message{"Please select log."};
                break;
            }
            log_report(logs::chk_types_listed(s.logs.log.log_text), layout.titles_report(), plan);
            break;
        case ReportItem::MissingJsonFiles:
            log_report(logs::get_failures(s.logs.log.log_text), layout.failures_report(), plan);
            break;
        case ReportItem::CheckTypeOfPlane:
            break;
    }
    if (!plan.write_path.empty()) {
        if (auto status = common::savetext(plan.write_path, plan.text); !status) {
            plan.write_errors.push_back(*status.error);
        }
    }
    return plan;
}

void run_report(Session& s, platform::Platform& platform, ReportItem item,
                const std::function<void()>& switch_to_log_view) {
    const ReportPlan plan = mmo_click(s, item);
    if (plan.show_log_view && switch_to_log_view) switch_to_log_view();
    if (plan.message) show_messages(platform, {*plan.message});
    if (!plan.write_errors.empty()) report_write_failures(s, platform, plan.write_errors);
    if (plan.open_path.empty()) return;
    // The editor starts even on a report that could not be written, as it always did.
    platform.process_events();
    platform.process_events();
    platform.open_in_text_editor(plan.open_path);
}

}  // namespace app

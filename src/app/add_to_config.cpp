#include "app/add_to_config.hpp"

#include "app/model_config_session.hpp"

namespace app {

bool run_add_to_config(Session& s, platform::Platform& platform, std::string_view type_box,
                       std::string_view model_box, const std::function<void()>& redraw) {
    const matching::AddPlan plan = plan_config_add(s.matching.json_path, type_box, model_box);
    if (plan.step != matching::AddStep::Ask) {
        show_messages(platform, {plan.message});
        return false;
    }
    if (platform.message(plan.message.text, platform::Buttons::YesNoCancel,
                         platform::Icon::Question) != platform::Answer::Yes) {
        return false;
    }
    // The first page again; this also drops the highlight of the chosen suggestion.
    s.logs.table.scrol(0, logs::DrawText::Marked, s.logs.log.parse.records);
    if (redraw) redraw();
    const AddResult result = write_config(s.matching.json_path, plan.entry, plan.new_text);
    if (result.added) s.matching.json_text = plan.new_text;
    show_messages(platform, result.messages);
    if (!result.errors.empty()) {
        if (auto advice = get_token(TokenReason::WriteFailed, platform.is_user_admin(), s.frame)) {
            platform.message(*advice, platform::Buttons::Ok, platform::Icon::None);
        }
    }
    return true;
}

}  // namespace app

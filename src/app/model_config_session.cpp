#include "app/model_config_session.hpp"

namespace app {
namespace {

// The cause read_file_checked gives for a path where nothing is.
constexpr std::string_view kMissing = "no such file";

}  // namespace

matching::AddPlan plan_config_add(std::string_view json_path, std::string_view type_box,
                                  std::string_view model_box) {
    // The checks that need no file come first, so an empty logs folder is never read and an
    // unreadable file never hides "Insufficient data".
    matching::AddRequest request{json_path, type_box, model_box, {}};
    matching::AddPlan plan = matching::prepare_add(request);
    if (plan.step != matching::AddStep::Ask) return plan;
    common::ReadResult file = common::read_file_checked(json_path);
    if (file.error && file.error->cause != kMissing) {
        plan.step = matching::AddStep::Refuse;
        plan.message = common::Message{
            "The model-matching file cannot be read, so nothing was changed:\r\n\r\n" +
            file.error->text()};
        plan.new_text.clear();
        return plan;
    }
    request.json_text = file.data;
    return matching::prepare_add(request);
}

AddResult write_config(std::string_view json_path, std::string_view entry,
                       std::string_view new_text) {
    AddResult r;
    if (matching::lacks_folder(json_path)) {
        r.messages.push_back(common::Message{std::string(matching::kNoLogsFolder)});
        return r;
    }
    if (common::FileStatus s = common::savetext(json_path, new_text); !s) {
        r.messages.push_back(common::Message{
            "The entry was not added; the model-matching file is unchanged:\r\n\r\n" +
            s.error->text()});
        r.errors.push_back(std::move(*s.error));
        return r;
    }
    r.added = true;
    if (common::FileStatus s = common::savetext(matching::companion_path(json_path), new_text);
        !s) {
        r.messages.push_back(common::Message{
            "The entry was added to the model-matching file, but its copy could not be "
            "written:\r\n\r\n" +
            s.error->text()});
        r.errors.push_back(std::move(*s.error));
        return r;
    }
    r.messages.push_back(common::Message{matching::added_message(entry)});
    return r;
}

}  // namespace app

#pragma once
// "Add to Config" as the window runs it: the checks, the question, both writes and the messages.

#include <functional>
#include <string_view>

#include "app/session.hpp"
#include "platform/platform.hpp"

namespace app {

// Adds the pair of the type and model boxes to the model-matching file and its copy. On Yes the
// table draws its first page again (the search's marked records when there are any) and
// redraw runs, before the files are written and the outcome is told. Returns whether the user
// said Yes.
bool run_add_to_config(Session& s, platform::Platform& platform, std::string_view type_box,
                       std::string_view model_box, const std::function<void()>& redraw);

}  // namespace app

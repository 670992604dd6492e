#pragma once
// "Add to Config" as the window runs it: the checks, the question, both writes and the messages.

#include <string_view>

#include "app/session.hpp"
#include "platform/platform.hpp"

namespace app {

// Adds the pair of the type and model boxes to the model-matching file and its copy. Returns
// true when the user said Yes: the table then shows its first page again (the search's marked
// records when there are any) and the models list is emptied, whatever the writes gave.
bool run_add_to_config(Session& s, platform::Platform& platform, std::string_view type_box,
                       std::string_view model_box);

}  // namespace app

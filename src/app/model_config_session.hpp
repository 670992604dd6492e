#pragma once
// "Add to Config" around the pure add of matching/model_config: read the file, and after the
// user's Yes write it and its companion copy. Shared by the window and the headless companion.
//
// The window's order: plan = plan_config_add(json_path, Text4(0), Text4(1)); Stop and Refuse
// show plan.message with OK; Ask asks plan.message with Yes/No/Cancel, and on Yes
// write_config(json_path, plan.entry, plan.new_text) and show its messages; when it added, the
// session's json_text becomes plan.new_text. An empty logs folder (json_path a bare separator
// and the file name) stops at the plan with matching::kNoLogsFolder, and write_config refuses
// it too.

#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.hpp"
#include "common/message.hpp"
#include "matching/model_config.hpp"

namespace app {

// The file is read afresh rather than taken from the text read at start-up, so that an edit
// made since (for one in the text editor the ModelConfig report opens) is never overwritten. A
// missing file reads as empty (the add makes a new file); a file that cannot be read refuses.
matching::AddPlan plan_config_add(std::string_view json_path, std::string_view type_box,
                                  std::string_view model_box);

struct AddResult {
    bool added = false;                     // json_path holds the new text
    std::vector<common::FileError> errors;  // writes that failed, in order
    std::vector<common::Message> messages;  // to show with OK, in order
};

// Writes new_text to json_path and then to its companion copy, each atomically. The copy is
// written only when the file itself was; "Added:" is shown only when both were.
AddResult write_config(std::string_view json_path, std::string_view entry,
                       std::string_view new_text);

}  // namespace app

#pragma once
// Adding one "type":"model" entry to the add-on's model-matching file. The file is handled as
// text, one entry a line, and rewritten whole in sorted order. The add is split in two so that
// the caller can ask the user between the duplicate check and the write: prepare_add says what
// to show and gives the new text; the caller writes it to json_path and to companion_path.
//
// The user's file is never made worse: a file that a line-wise rewrite could not carry over
// entry for entry is refused, naming its first misfit line, and the new text is checked with a
// JSON parser before anyone may write it.

#include <optional>
#include <string>
#include <string_view>

#include "common/message.hpp"

namespace matching {

inline constexpr std::string_view kInsufficientData = "Insufficient data";
inline constexpr std::string_view kCompanionFileName = "ModelMatching_.json";
// json_path of an empty logs folder: a bare separator and the file name. Never written.
inline constexpr std::string_view kNoLogsFolder =
    "No logs folder is chosen, so there is no model-matching file to add to.\r\n\r\n"
    "Please choose the add-on's logs folder first.";

enum class AddStep {
    Stop,    // show the message (OK): insufficient data, already contained, no logs folder
    Refuse,  // show the message (OK): the file cannot be rewritten safely; nothing is written
    Ask,     // ask the message (Yes/No/Cancel); only Yes writes new_text to both files
};

struct AddPlan {
    AddStep step = AddStep::Stop;
    common::Message message;
    std::string entry;     // the line the boxes make: "type":"model",
    std::string new_text;  // Ask only: the whole file without the CR LF that savetext adds
};

struct AddRequest {
    std::string_view json_path;  // only tested for "no logs folder"; "" skips that test
    std::string_view type_box;   // Text4(0), untrimmed
    std::string_view model_box;  // Text4(1), untrimmed
    std::string_view json_text;  // the file's bytes; "" for a missing file
};

// Everything of the add up to the question: the checks, the sorted rewrite and its check.
AddPlan prepare_add(const AddRequest& request);

// "Added:" CR LF CR LF entry, shown after both files were written.
std::string added_message(std::string_view entry);

// "ModelMatching_.json" in the folder of json_path (cut at its last separator).
std::string companion_path(std::string_view json_path);

// True for a bare separator followed by a file name: the path of an empty logs folder.
bool lacks_folder(std::string_view json_path);

// The check the new text passes before it may be written: it parses as JSON, is one object of
// string values, and holds exactly the entries of old_text (with the case fixes) and the new
// pair. nullopt when it passes, else why not.
std::optional<std::string> check_rewrite(std::string_view old_text, std::string_view type_box,
                                         std::string_view model_box, std::string_view new_text);

}  // namespace matching

#pragma once
// Follow mode: while it is on, new logs in the folder are listed as they appear (and chosen when
// the newest log was the chosen one), and the chosen log is read on as the add-on appends to it.
// Only the added bytes are parsed; a log that was cut shorter or replaced is read again whole.

#include <cstdint>
#include <vector>

#include "app/session.hpp"
#include "common/file_io.hpp"
#include "common/message.hpp"

namespace app {

struct FollowStep {
    bool relisted = false;  // the log list changed
    bool chosen = false;    // a newer log was chosen and read whole
    bool reread = false;    // the chosen log was read again whole
    bool grew = false;      // records were read from bytes added to the chosen log
    // How far the records shown before moved down the records text (newest first).
    std::int64_t moved = 0;
    std::vector<common::Message> messages;
    std::vector<common::FileError> write_errors;  // result lists of a whole read

    [[nodiscard]] bool parsed() const noexcept { return chosen || reread || grew; }
};

// Turns follow mode on or off. On: what is listed and read now is the starting point.
void set_follow(Session& s, bool on);

// One look at the folder and the chosen log; cheap when nothing changed (one folder and one
// file stamp). Does nothing while a parse runs.
FollowStep follow_tick(Session& s, std::int64_t header_height_twips);

}  // namespace app

#include "app/log_follow.hpp"

#include <algorithm>

#include "common/file_io.hpp"

namespace app {
namespace {

// The bytes before the end of what was read that must still be there, to tell a log that grew
// from one that was replaced by another.
constexpr std::uint64_t kKeptTail = 4096;
constexpr std::size_t kGrowthRoom = 16u << 20;

// Messages of an automatic read: only what the user must know, each once.
void note_read(Session& s, const ChooseOutcome& outcome, FollowStep& step) {
    FollowState& f = s.logs.follow;
    if (outcome.read_error) {
        if (!f.read_error_shown)
            step.messages.push_back({"Cannot read the log " + outcome.read_error->text()});
        f.read_error_shown = true;
        return;
    }
    f.read_error_shown = false;
    const bool stopped = s.logs.log.parse.stopped_early;
    if (stopped && !f.stop_shown)
        step.messages.push_back({stopped_early_message(s.logs.log.parse)});
    f.stop_shown = stopped;
}

void read_whole(Session& s, std::int64_t header_height_twips, FollowStep& step) {
    LogViewState& v = s.logs;
    v.follow.file = common::file_stamp(v.log.path);
    v.table.clearlist();
    const ChooseOutcome outcome =
        choose_log(v.log, v.log.path, s.frame.layout, header_height_twips);
    if (!v.log.parse.stopped_early) v.table.after_parse(v.log.parse.records);
    step.write_errors = v.log.write_errors;
    note_read(s, outcome, step);
}

// Reads what was added to the chosen log, or all of it when it is not the same log any more.
void read_on(Session& s, std::int64_t header_height_twips, FollowStep& step) {
    LogState& log = s.logs.log;
    FollowState& f = s.logs.follow;
    const auto stamp = common::file_stamp(log.path);
    if (!stamp) {
        if (!f.read_error_shown) {
            const common::ReadResult r = common::read_file_checked(log.path);
            step.messages.push_back(
                {"Cannot read the log " +
                 (r.error ? r.error->text() : log.path + ": cannot be opened")});
        }
        f.read_error_shown = true;
        return;
    }
    f.read_error_shown = false;
    if (f.file == stamp) return;
    const std::uint64_t fed = log.reader.fed_size();
    const std::uint64_t from = fed - std::min(fed, kKeptTail);
    common::ReadResult added =
        stamp->size >= fed ? common::read_file_from(log.path, from) : common::ReadResult{};
    const std::size_t tail = static_cast<std::size_t>(fed - from);
    const bool same_log = stamp->size >= fed && !added.error && added.data.size() >= tail &&
                          added.data.compare(0, tail, log.log_text, from, tail) == 0;
    if (!same_log) {
        step.reread = true;
        read_whole(s, header_height_twips, step);
        return;
    }
    f.file = stamp;
    if (added.data.size() == tail) return;
    log.log_text.append(added.data, tail);
    step.moved = log.reader.feed(log.log_text, log.parse);
    step.grew = true;
    log.results_stale = true;
    if (!log.parse.stopped_early) s.logs.table.after_growth(log.parse.records, step.moved);
    note_read(s, ChooseOutcome{}, step);
}

}  // namespace

void set_follow(Session& s, bool on) {
    FollowState& f = s.logs.follow;
    f = FollowState{};
    f.on = on;
    if (!on) return;
    // Whatever was added since the log was chosen is read at the first tick.
    f.file.reset();
    f.stop_shown = s.logs.log.parse.stopped_early;
    // Room to grow, taken now: the tick that outgrew the text would copy all of it. Untouched
    // capacity costs no memory pages.
    std::string& text = s.logs.log.log_text;
    text.reserve(text.size() + std::max<std::size_t>(text.size() / 2, kGrowthRoom));
}

FollowStep follow_tick(Session& s, std::int64_t header_height_twips) {
    FollowStep step;
    LogViewState& v = s.logs;
    if (!v.follow.on || v.log.busy_flag) return step;

    // Listed at every tick: a folder's time of change is not kept alike on every system (some
    // leave it when a file is added), and listing a logs folder costs far less than the poll.
    if (common::folder_exists(v.list.folder)) {
        const int count = static_cast<int>(v.list.entries.size());
        const bool on_newest = count > 0 && v.list.chosen == count - 1;
        const auto before = v.list.entries;
        const bool had_chosen = v.list.chosen >= 0;
        refresh_log_list(s, v.list.folder);
        step.relisted = v.list.entries != before;
        if (had_chosen && v.list.chosen < 0) {
            // The followed log went away: the table keeps what was read from it.
            const common::ReadResult r = common::read_file_checked(v.log.path);
            step.messages.push_back({"Cannot read the log " +
                                     (r.error ? r.error->text() : v.log.path + ": not listed")});
            return step;
        }
        const int newest = static_cast<int>(v.list.entries.size()) - 1;
        if (on_newest && v.list.chosen >= 0 && v.list.chosen < newest) {
            v.list.chosen = newest;
            v.log.path = chosen_log_path(s);
            step.chosen = true;
            read_whole(s, header_height_twips, step);
            return step;
        }
    }
    if (v.list.chosen < 0 || v.log.path.empty() || v.log.path != chosen_log_path(s)) return step;
    read_on(s, header_height_twips, step);
    return step;
}

}  // namespace app

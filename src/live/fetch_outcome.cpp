#include "live/fetch_outcome.hpp"

#include "common/text.hpp"

namespace live {
namespace {

bool looks_like_feed(std::string_view body) {
    const std::size_t start = body.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && body[start] == '{' &&
           common::contains(body, "\"full_count\"");
}

}  // namespace

FetchClass classify_fetch(const FetchResult& r) {
    // A status means a server answered, even where the platform counts an error status as a
    // failed transfer.
    const bool answered = r.ok || r.status != 0;
    if (!answered && r.timed_out) {
        return {FetchFailure::TimedOut,
                "The live traffic server did not answer within 20 seconds."};
    }
    if (!answered) {
        std::string message =
            "Could not reach the live traffic server (no network or the "
            "connection was refused)";
        if (!r.error.empty()) {
            message += ": ";
            message += r.error;
        }
        return {FetchFailure::NoConnection, message + "."};
    }
    const std::string status = common::format_int(r.status);
    if (r.status == 403 || r.status == 429) {
        return {FetchFailure::Refused,
                "The live traffic server " +
                    std::string(r.status == 403 ? "refuses requests from this program"
                                                : "limits how often this program may ask") +
                    " (HTTP status " + status + "). Try again later."};
    }
    if (r.status != 200) {
        return {FetchFailure::HttpStatus,
                "The live traffic server answered with HTTP status " + status + "."};
    }
    if (!looks_like_feed(r.body)) {
        return {FetchFailure::NotFeed,
                "The live traffic server's answer is not a traffic feed (for example a web "
                "page)."};
    }
    return {};
}

FetchTracker::Report FetchTracker::record(const FetchResult& result, FetchMoment moment) {
    FetchClass c = classify_fetch(result);
    if (c.failure == FetchFailure::None) {
        failing_ = false;
        streak_told_ = false;
        return {true, std::nullopt, false};
    }
    failing_ = true;
    Report report{false, std::nullopt, true};
    // A streak met while quiet is told once the quiet period is over, if it still lasts.
    const bool quiet =
        moment.by_timer && last_told_ms_ && moment.now_ms - *last_told_ms_ < kQuietMs;
    if (!streak_told_ && !quiet) {
        report.message = std::move(c.message);
        streak_told_ = true;
        last_told_ms_ = moment.now_ms;
    }
    return report;
}

}  // namespace live

#pragma once
// What a feed fetch came to, and what the window tells the user. A failure is told once per
// streak of failures (the timer would otherwise repeat it every 5 s), and a streak the timer
// met is told only when nothing was told for the quiet period, so a link that keeps coming and
// going gives a message every ten minutes at most, not one for every drop. The last good
// flights stay on show, marked stale, until a fetch succeeds again.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace live {

// The platform's GET result as this layer sees it.
struct FetchResult {
    bool ok = false;  // a response arrived
    int status = 0;   // HTTP status, 0 without a response; a status means a server answered
    std::string_view body;
    bool timed_out = false;  // no response within the time-out
    std::string_view error;  // the system's description when no response arrived
};

// Who asked for a fetch, and when its answer came in (a steady clock, in milliseconds).
struct FetchMoment {
    bool by_timer = false;
    std::int64_t now_ms = 0;
};

enum class FetchFailure { None, NoConnection, TimedOut, HttpStatus, Refused, NotFeed };

struct FetchClass {
    FetchFailure failure = FetchFailure::None;
    std::string message;  // empty on success
};

// Success is status 200 with an answer in the feed's form (a JSON object, "{" after any blanks,
// that names full_count); anything else is a failure with a message naming its cause.
FetchClass classify_fetch(const FetchResult& result);

class FetchTracker {
  public:
    static constexpr std::int64_t kQuietMs = 10 * 60 * 1000;

    struct Report {
        bool use_answer = false;             // parse this answer
        std::optional<std::string> message;  // show it (the first failure of a streak)
        bool stale = false;                  // the flights shown are from an earlier fetch
    };

    Report record(const FetchResult& result, FetchMoment moment = {});
    [[nodiscard]] bool stale() const noexcept { return failing_; }

  private:
    bool failing_ = false;
    bool streak_told_ = false;
    std::optional<std::int64_t> last_told_ms_;
};

}  // namespace live

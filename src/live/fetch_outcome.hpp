#pragma once
// What a feed fetch came to, and what the window tells the user. A failure is told once per
// streak of failures (the timer would otherwise repeat it every 5 s), and the last good flights
// stay on show, marked stale, until a fetch succeeds again.

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
    struct Report {
        bool use_answer = false;             // parse this answer
        std::optional<std::string> message;  // show it (the first failure of a streak)
        bool stale = false;                  // the flights shown are from an earlier fetch
    };

    Report record(const FetchResult& result);
    [[nodiscard]] bool stale() const noexcept { return failing_; }

  private:
    bool failing_ = false;
};

}  // namespace live

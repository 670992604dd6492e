#pragma once
// The live view's long run, shared by the simulated twelve hours (a test) and the real half
// hour (a benchmark): what the feed does when, and what the process holds meanwhile.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <fstream>
#include <string>

#if defined(__linux__)
#include <filesystem>
#endif

namespace gui_support {

enum class FeedMood { Good, Limited, Stall, Closed };

// Every period: a third of good answers, a third of a link that comes and goes (good, 429,
// good, stall, good, closed in turn) and a third of an outage (closed and stall in turn).
// request counts the requests so far.
inline FeedMood feed_mood(std::int64_t ms_into_run, std::int64_t period_ms, std::uint64_t request) {
    const std::int64_t third = (ms_into_run % period_ms) * 3 / period_ms;
    if (third == 0) return FeedMood::Good;
    if (third == 1) {
        constexpr FeedMood flapping[] = {FeedMood::Good,  FeedMood::Limited, FeedMood::Good,
                                         FeedMood::Stall, FeedMood::Good,    FeedMood::Closed};
        return flapping[request % 6];
    }
    return request % 2 == 0 ? FeedMood::Closed : FeedMood::Stall;
}

struct ProcessSample {
    long rss_kb = -1;        // resident memory; -1 where the system does not say
    int fds = -1;            // open file descriptors; -1 where the system does not say
    int objects = 0;         // Qt objects of the application and its windows
    int timers = 0;          // timers registered with the event loop by those objects
    int refresh_timers = 0;  // active QTimers with the 5-second refresh interval
};

namespace detail {
inline void count_tree(const QObject* o, ProcessSample& s) {
    ++s.objects;
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        s.timers += static_cast<int>(dispatcher->registeredTimers(const_cast<QObject*>(o)).size());
    }
    if (auto* t = qobject_cast<const QTimer*>(o); t && t->isActive() && t->interval() == 5000) {
        ++s.refresh_timers;
    }
    for (const QObject* child : o->children()) count_tree(child, s);
}
}  // namespace detail

inline ProcessSample sample_process() {
    ProcessSample s;
    detail::count_tree(qApp, s);
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w->parent() == nullptr) detail::count_tree(w, s);
    }
    for (const QWindow* w : QGuiApplication::allWindows()) {
        if (w->parent() == nullptr) detail::count_tree(w, s);
    }
#if defined(__linux__)
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) s.rss_kb = std::stol(line.substr(6));
    }
    s.fds = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
        ++s.fds;
    }
#endif
    return s;
}

}  // namespace gui_support

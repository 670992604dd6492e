// The live view's refresh timer for real minutes against a feed server on 127.0.0.1, through
// the real network stack: every period the feed answers well for a third, comes and goes for a
// third (429, stalls into the 20 s time-out, closed connections) and is down for a third. Prints
// a sample each minute and fails when, after the first period, the descriptors, objects or
// timers changed, memory grew by 2 MB or more, or a period brought more than 6 messages.
//
// Usage: skelvar-live-long-run [MINUTES (30)] [PERIOD_MINUTES (10)]

#include "live_long_run.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "common/file_io.hpp"
#include "fake_platform.hpp"
#include "feed_server.hpp"
#include "feedgen/feed_generator.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/live_traffic_view.hpp"
#include "ui/live_view.hpp"
#include "ui/main_window.hpp"

using gui_support::FeedMood;
using gui_support::FeedServer;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long minutes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 30;
    const long period_minutes = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10;
    if (minutes < 1 || period_minutes < 1) return 2;
    const std::int64_t period_ms = period_minutes * 60'000;

    QTemporaryDir program;
    QDir().mkpath(program.path() + "/system");
    const std::string system = program.path().toStdString() + "/system/";
    if (!common::write_file_atomic(system + "airlines", feedgen::airlines_file(6000)) ||
        !common::write_file_atomic(system + "iata", feedgen::iata_text(9000))) {
        return 2;
    }
    const QByteArray feed = QByteArray::fromStdString(feedgen::generate(300, false, 6000, 9000));

    QElapsedTimer clock;
    clock.start();
    std::uint64_t requests = 0;
    FeedServer server;
    server.keep_requests = false;
    server.next_reply = [&]() -> FeedServer::Reply {
        switch (gui_support::feed_mood(clock.elapsed(), period_ms, requests++)) {
            case FeedMood::Good:
                return {200, feed};
            case FeedMood::Limited:
                return {429, "slow down"};
            case FeedMood::Stall:
                return {200, {}, false, true};
            case FeedMood::Closed:
                return {200, {}, true};
        }
        return {};
    };

    // The window's platform but for its messages, which are counted instead of shown.
    platform::QtPlatform qt;
    testing_support::FakePlatform fake;
    fake.async_http = [&qt](std::string_view url, int timeout_ms,
                            std::function<void(platform::HttpResult)> done) {
        qt.http_get_async(url, {}, timeout_ms, std::move(done));
    };
    ui::MainWindow window(fake, program.path().toStdString(), false);
    window.session().live_view.feed_server = server.address().toStdString();
    window.show();
    ui::LiveTrafficView& view = *window.live_view()->traffic();
    auto* list7 = window.findChild<QListWidget*>("List7_0");
    QTest::mouseClick(list7->viewport(), Qt::LeftButton, {},
                      list7->visualItemRect(list7->item(0)).center());
    QTest::mouseClick(window.findChild<QCheckBox*>("osm"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QCheckBox*>("Check2"), Qt::LeftButton);
    if (!view.timer()->isActive()) return 2;

    std::printf("minute  messages  resident kB  descriptors  objects  timers  refresh timers\n");
    std::vector<gui_support::ProcessSample> samples;
    std::vector<std::size_t> messages;
    for (long minute = 1; minute <= minutes; ++minute) {
        QTest::qWait(static_cast<int>(minute * 60'000 - clock.elapsed()));
        // Sampled between fetches: one in flight holds its connection and time-out timer.
        (void)QTest::qWaitFor([&] { return window.session().live_view.fetches_in_flight == 0; },
                              25'000);
        QTest::qWait(50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fake.http_requests.clear();  // the fake's own record would grow
        samples.push_back(gui_support::sample_process());
        messages.push_back(fake.messages.size());
        const auto& s = samples.back();
        std::printf("%6ld  %8zu  %11ld  %11d  %7d  %6d  %14d\n", minute, messages.back(), s.rss_kb,
                    s.fds, s.objects, s.timers, s.refresh_timers);
        std::fflush(stdout);
    }

    bool flat = true;
    const auto settled = static_cast<std::size_t>(std::min(period_minutes, minutes)) - 1;
    const auto& base = samples[settled];
    for (std::size_t i = settled; i < samples.size(); ++i) {
        const auto& s = samples[i];
        flat = flat && s.fds == base.fds && s.objects == base.objects && s.timers == base.timers &&
               s.refresh_timers == 1 && s.rss_kb - base.rss_kb < 2048;
    }
    std::size_t worst_period = 0;
    for (std::size_t end = 0; end < messages.size(); end += period_minutes) {
        const std::size_t last = std::min(end + period_minutes, messages.size()) - 1;
        worst_period = std::max(worst_period, messages[last] - (end == 0 ? 0 : messages[end - 1]));
    }
    std::printf(
        "%lu requests, %zu messages in all, at most %zu in one period of %ld minutes; "
        "from minute %zu on %s\n",
        static_cast<unsigned long>(requests), messages.back(), worst_period, period_minutes,
        settled + 1, flat ? "flat" : "NOT FLAT");
    return flat && worst_period <= 6 ? 0 : 1;
}

// Twelve hours of the live view's refresh timer on a simulated clock, on the real window with the
// map page on: every hour the feed answers well, then comes and goes (429, stalls that run into
// the time-out, closed connections), then is down. Memory, descriptors, objects and timers stay
// flat, there is one refresh timer, no fetch is sent while one is out, and the user gets a few
// messages an hour, not one for every drop.

#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <deque>
#include <filesystem>

#include "common/paths.hpp"
#include "live/fetch_outcome.hpp"
#include "live_long_run.hpp"
#include "test_paths.hpp"
#include "ui/flight_list.hpp"
#include "ui/live_traffic_view.hpp"
#include "ui/live_view.hpp"
#include "window_harness.hpp"

using gui_support::FeedMood;
using gui_support::Harness;

class LongRunTest : public QObject {
    Q_OBJECT
  private slots:
    void twelveHours_flat_oneTimer_fewMessages();
};

void LongRunTest::twelveHours_flat_oneTimer_fewMessages() {
    constexpr std::int64_t kHour = 3'600'000;
    constexpr std::int64_t kTick = 5'000;
    Harness h;
    const std::string system = common::join_path(h.program_folder(), "system");
    std::filesystem::create_directories(system);
    for (const char* name : {"airlines", "iata"}) {
        std::filesystem::copy_file(testing_support::data_path(std::string("live/system/") + name),
                                   common::join_path(system, name));
    }
    const std::string feed = common::read_file(testing_support::data_path("live/feed.json"));

    // The network as the test's clock runs it: an answer is due some time after its request,
    // a stall when the window's time-out runs out.
    std::int64_t now = 0;
    struct Pending {
        std::int64_t due;
        platform::HttpResult result;
        std::function<void(platform::HttpResult)> done;
    };
    std::deque<Pending> network;
    std::uint64_t requests = 0;
    h.fake.async_http = [&](std::string_view, int timeout_ms,
                            std::function<void(platform::HttpResult)> done) {
        platform::HttpResult r;
        std::int64_t after = 300;
        switch (gui_support::feed_mood(now, kHour, requests++)) {
            case FeedMood::Good:
                r = {true, 200, feed, {}, false};
                break;
            case FeedMood::Limited:
                r = {true, 429, "slow down", {}, false};
                break;
            case FeedMood::Stall:
                r = {false, 0, {}, "Operation canceled", true};
                after = timeout_ms;
                break;
            case FeedMood::Closed:
                r = {false, 0, {}, "Connection closed", false};
                break;
        }
        network.push_back({now + after, std::move(r), std::move(done)});
    };
    h.open();
    ui::LiveTrafficView& view = *h.window().live_view()->traffic();
    view.set_clock([&now] { return now; });
    auto* list7 = h.child<QListWidget>("List7_0");
    QTest::mouseClick(list7->viewport(), Qt::LeftButton, {},
                      list7->visualItemRect(list7->item(0)).center());
    QTest::mouseClick(h.child<QCheckBox>("osm"), Qt::LeftButton);
    QTest::mouseClick(h.child<QCheckBox>("Check2"), Qt::LeftButton);
    QVERIFY(view.timer()->isActive());

    std::vector<gui_support::ProcessSample> hourly;
    std::vector<std::size_t> messages_by_hour;
    std::size_t max_out = 0;
    std::size_t messages_before = h.fake.messages.size();
    for (now = kTick; now <= 12 * kHour; now += kTick) {
        while (!network.empty() && network.front().due <= now) {
            Pending p = std::move(network.front());
            network.pop_front();
            p.done(std::move(p.result));
        }
        // The real tim0 stays on as it would; the test's clock ticks it.
        view.tim0_timer();
        h.fake.http_requests.clear();  // the fake's own record would grow
        max_out = std::max(max_out, network.size());
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const std::int64_t into_hour = now % kHour;
        if (into_hour == kHour / 3) {
            // After the good third the flights are fresh.
            QVERIFY(!h.window().session().live_view.stale);
            QCOMPARE(view.flight_list()->count(), 3);
        } else if (into_hour == 0) {
            QVERIFY(h.window().session().live_view.stale);
            QCOMPARE(view.flight_list()->count(), 3);  // the last good flights stay
            hourly.push_back(gui_support::sample_process());
            messages_by_hour.push_back(h.fake.messages.size() - messages_before);
            messages_before = h.fake.messages.size();
        }
    }

    QCOMPARE(max_out, std::size_t{1});  // a tick while a fetch is out sends nothing
    QVERIFY(requests > 12 * kHour / kTick / 2);
    for (std::size_t hour = 0; hour < hourly.size(); ++hour) {
        const gui_support::ProcessSample& s = hourly[hour];
        qInfo("hour %zu: %zu messages, %ld kB resident, %d descriptors, %d objects, %d timers",
              hour + 1, messages_by_hour[hour], s.rss_kb, s.fds, s.objects, s.timers);
        QCOMPARE(s.refresh_timers, 1);
        // The hour's failures told a few times, never once a drop (about 130 drops an hour).
        QVERIFY(messages_by_hour[hour] >= 1);
        QVERIFY(messages_by_hour[hour] <= 6);
        if (hour == 0) continue;  // the first hour warms up
        QCOMPARE(s.objects, hourly[1].objects);
        QCOMPARE(s.timers, hourly[1].timers);
        QCOMPARE(s.fds, hourly[1].fds);
        QVERIFY2(s.rss_kb - hourly[1].rss_kb < 1024, "resident memory grew by 1 MB or more");
    }
    // The map page was kept up to date all along.
    QVERIFY(std::filesystem::exists(common::join_path(system, "apmm.js")));
    for (const auto& m : h.fake.messages) {
        QVERIFY2(m.text.find("live traffic server") != std::string::npos, m.text.c_str());
    }
}

QTEST_MAIN(LongRunTest)
#include "long_run_test.moc"

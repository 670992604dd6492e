// The live view on the real window against a feed server on 127.0.0.1: choose an airport, the
// flight list and the picture, selection, zoom, the timer with its skip while a fetch is out,
// the Flightradar menus, Ctrl+X and Ctrl+R, and failures told once per streak, quiet between.

#include "ui/live_view.hpp"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "feed_server.hpp"
#include "platform/qt/qt_platform.hpp"
#include "test_paths.hpp"
#include "ui/flight_list.hpp"
#include "ui/live_traffic_view.hpp"
#include "ui/traffic_picture_widget.hpp"
#include "window_harness.hpp"

using gui_support::FeedServer;
using gui_support::Harness;
using gui_support::q;

namespace {

QByteArray fixture_feed() {
    return QByteArray::fromStdString(
        common::read_file(testing_support::data_path("live/feed.json")));
}

// The window on a program folder with the test tables, its feed pointed at the local server.
class LiveRoad {
  public:
    // timeout_ms: the transfer time-out the network stack gets (0: the window's own).
    LiveRoad(Harness& h, FeedServer& server, int timeout_ms = 0) : h_(h) {
        const std::string system = common::join_path(h.program_folder(), "system");
        std::filesystem::create_directories(system);
        for (const char* name : {"airlines", "iata"}) {
            std::filesystem::copy_file(
                testing_support::data_path(std::string("live/system/") + name),
                common::join_path(system, name));
        }
        h.fake.async_http = [this, timeout_ms](std::string_view url, int window_timeout_ms,
                                               std::function<void(platform::HttpResult)> done) {
            qt_.http_get_async(url, {}, timeout_ms > 0 ? timeout_ms : window_timeout_ms,
                               std::move(done));
        };
        h.open();
        h.window().session().live_view.feed_server = server.address().toStdString();
        view_ = h.window().live_view()->traffic();
    }
    ui::LiveTrafficView& view() const { return *view_; }
    QListWidget& list8() const { return *view_->flight_list(); }
    ui::TrafficPictureWidget& p1() const { return *view_->picture(); }
    void choose(int row) {
        auto* list7 = h_.child<QListWidget>("List7_0");
        QTest::mouseClick(list7->viewport(), Qt::LeftButton, {},
                          list7->visualItemRect(list7->item(row)).center());
    }
    // Waits until the fetches sent have been answered.
    bool settled() const {
        return QTest::qWaitFor(
            [this] { return h_.window().session().live_view.fetches_in_flight == 0; }, 5000);
    }

  private:
    Harness& h_;
    platform::QtPlatform qt_;
    ui::LiveTrafficView* view_ = nullptr;
};

}  // namespace

class LiveViewTest : public QObject {
    Q_OBJECT

  private slots:
    void choose_listsDrawsAndSelects();
    void timerMenusAndKeys();
    void failures_toldOncePerStreak_lastFlightsStay();
    void mapPage_openedOverLoopback_followsTheTimer();
};

void LiveViewTest::choose_listsDrawsAndSelects() {
    FeedServer server;
    server.replies.push_back({200, fixture_feed()});
    Harness h;
    LiveRoad road(h, server);
    road.choose(0);  // Heathrow
    QVERIFY(road.settled());

    QCOMPARE(server.requests.size(), 1);
    const QByteArray request = server.requests[0];
    QVERIFY2(request.startsWith("GET /zones/fcgi/feed.js?bounds=51.5575,51.3975,-0.5613889,"
                                "-0.3613889,&adsb=1&air=1&array=1 HTTP/1.1\r\n"),
             request.constData());
    // Only the headers the network stack sends of itself: none names the program.
    QVERIFY2(!request.toLower().contains("skelvar"), request.constData());

    // The header and the two flights under the 2000 ft ceiling (of three with a type).
    QCOMPARE(road.list8().count(), 3);
    QCOMPARE(road.list8().item(0)->text(),
             QStringLiteral("Altitude\tSpeed\tModel\tReg\t\tFlight\tFrom\tTo\tAirline"));
    QCOMPARE(road.list8().item(1)->text(),
             QStringLiteral("1000\t142\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British "
                            "Airways\t(London Heathrow-Edinburgh)"));
    auto* list3 = h.child<QListWidget>("list3_0");
    QCOMPARE(list3->count(), 2);
    QCOMPARE(road.p1().picture().icons.size(), std::size_t{2});
    QVERIFY(road.p1().picture().airport_mark.has_value());

    // A press on icon 2 selects row 2; a press on row 1 moves the marker to icon 1.
    const live::IconItem icon2 = road.p1().picture().icons[1];
    QTest::mouseClick(&road.p1(), Qt::LeftButton, {},
                      QPoint(static_cast<int>(icon2.top_left.x / 15) + 16,
                             static_cast<int>(icon2.top_left.y / 15) + 16));
    QCOMPARE(road.list8().currentRow(), 2);
    QVERIFY(road.p1().marker_visible());
    QTest::mouseClick(road.list8().viewport(), Qt::LeftButton, {},
                      road.list8().visualItemRect(road.list8().item(1)).center());
    QCOMPARE(h.window().session().live_view.selected_icon, 1);

    // "+" zooms in by a half; a double click on a row looks its flight up on the web.
    auto* plus = road.p1().findChild<QWidget*>(QStringLiteral("Label12_1"));
    QTest::mouseClick(plus, Qt::LeftButton);
    QCOMPARE(h.window().session().live_view.plot.picture_zoom, 1.5f);
    QTest::mouseDClick(road.list8().viewport(), Qt::LeftButton, {},
                       road.list8().visualItemRect(road.list8().item(1)).center());
    QVERIFY(!h.fake.opened_urls.empty());
    QVERIFY(q(h.fake.opened_urls.back()).endsWith(QStringLiteral("q=flight+BA1432")));

    // The shared search box finds flights in the list, wrapping around.
    h.window().session().live_view.search.key_typed();
    h.window().live_view()->traffic()->search("easyjet", false);
    QCOMPARE(road.list8().currentRow(), 2);
}

void LiveViewTest::timerMenusAndKeys() {
    FeedServer server;
    Harness h;
    LiveRoad road(h, server);
    app::Session& s = h.window().session();
    auto* check2 = h.child<QCheckBox>("Check2");

    QTest::mouseClick(check2, Qt::LeftButton);  // no airport yet
    QCOMPARE(q(h.fake.messages.back().text), QStringLiteral("Select airport."));
    QVERIFY(!check2->isChecked());

    server.replies.push_back({200, fixture_feed()});
    road.choose(0);
    QVERIFY(road.settled());
    QTest::mouseClick(check2, Qt::LeftButton);
    QVERIFY(road.view().timer()->isActive());

    // A tick while a fetch is out is skipped: the stalled fetch is the only request.
    server.replies.push_back({200, {}, false, true});
    road.view().tim0_timer();
    QTRY_COMPARE(server.requests.size(), 2);
    road.view().tim0_timer();
    QTest::qWait(100);
    QCOMPARE(server.requests.size(), 2);
    QCOMPARE(s.live_view.fetches_in_flight, 1);
    // The stalled fetch ends (the server closes it); the ticks go on.
    server.release_stalled();
    QTRY_COMPARE(s.live_view.fetches_in_flight, 0);

    // Range 0.1 asks again at once with the wider box; Max Height "0" keeps ground traffic.
    server.replies.push_back({200, fixture_feed()});
    h.child<QAction>("mrg2")->trigger();
    QTRY_VERIFY(server.requests.last().contains("bounds=51.5775,51.3775,-0.5813889,-0.3413889,"));
    QVERIFY(h.child<QAction>("mrg2")->isChecked());
    QCOMPARE(s.live.feed_range, 0.1f);
    server.replies.push_back({200, fixture_feed()});
    h.child<QAction>("mrr0")->trigger();
    QVERIFY(road.settled());
    QCOMPARE(road.list8().count(), 2);  // the header and the flight at altitude 0

    // Ctrl+X twice: the wide view, then the menus' values again. Ctrl+R keeps raw answers.
    QTest::keyClick(&h.window(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(s.live.feed_range, 0.5f);
    QCOMPARE(s.live.max_height, 100000);
    QTest::keyClick(&h.window(), Qt::Key_X, Qt::ControlModifier);
    // The ceiling comes from the ticked item, which only opening a submenu moves to "0".
    QCOMPARE(s.live.feed_range, 0.1f);
    QCOMPARE(s.live.max_height, 2000);
    QTest::keyClick(&h.window(), Qt::Key_R, Qt::ControlModifier);
    server.replies.push_back({200, fixture_feed()});
    road.view().tim0_timer();
    QVERIFY(road.settled());
    QVERIFY(common::read_file(s.frame.layout.raw_feed_file()).find("BAW1432") != std::string::npos);

    QTest::mouseClick(check2, Qt::LeftButton);
    QVERIFY(!road.view().timer()->isActive());
}

void LiveViewTest::failures_toldOncePerStreak_lastFlightsStay() {
    FeedServer server;
    server.replies.push_back({200, fixture_feed()});
    server.replies.push_back({403, "<html>Forbidden</html>"});
    server.replies.push_back({429, "slow down"});
    server.replies.push_back({200, "<!DOCTYPE html><html></html>"});
    server.replies.push_back({200, ""});
    server.replies.push_back({200, {}, true});
    server.replies.push_back({200, {}, true});  // the network stack asks once more
    server.replies.push_back({200, fixture_feed()});
    server.replies.push_back({200, {}, false, true});
    server.replies.push_back({500, "oops"});
    Harness h;
    LiveRoad road(h, server, 500);
    road.choose(0);
    QVERIFY(road.settled());
    const auto before = h.fake.messages.size();
    qint64 now_ms = 0;
    road.view().set_clock([&now_ms] { return now_ms; });

    for (int i = 0; i < 5; ++i) {
        road.view().tim0_timer();  // the timer box need not be ticked for a tick
        QVERIFY(road.settled());
    }
    // One message for the streak, naming the first cause; the flights stay, marked stale.
    QCOMPARE(h.fake.messages.size(), before + 1);
    QVERIFY(q(h.fake.messages.back().text).contains(QStringLiteral("403")));
    QCOMPARE(road.list8().count(), 3);
    QVERIFY(h.window().session().live_view.stale);

    road.view().tim0_timer();  // good again
    QVERIFY(road.settled());
    QVERIFY(!h.window().session().live_view.stale);
    // A new streak within ten minutes of that message stays quiet (a stalled answer runs into
    // the time-out); still failing after them (a 500), it is told.
    now_ms = 60'000;
    road.view().tim0_timer();
    QVERIFY(road.settled());
    QCOMPARE(h.fake.messages.size(), before + 1);
    now_ms = 11 * 60'000;
    road.view().tim0_timer();
    QVERIFY(road.settled());
    QCOMPARE(h.fake.messages.size(), before + 2);
    QVERIFY(q(h.fake.messages.back().text).contains(QStringLiteral("status 500")));
}

void LiveViewTest::mapPage_openedOverLoopback_followsTheTimer() {
    FeedServer server;
    Harness h;
    LiveRoad road(h, server);
    app::Session& s = h.window().session();
    const std::string script = common::join_path(s.frame.layout.system_folder(), "apmm.js");
    const std::string page = s.frame.layout.map_page_file();
    for (int i = 0; i < 6; ++i) server.replies.push_back({200, fixture_feed()});
    road.choose(0);
    QVERIFY(road.settled());
    QVERIFY(!common::file_exists(script));  // no map until the box is ticked

    h.child<QLineEdit>("Text2")->setText(QStringLiteral("20"));
    QTest::mouseClick(h.child<QCheckBox>("osm"), Qt::LeftButton);
    QCOMPARE(h.child<QLineEdit>("Text2")->text(), QStringLiteral("15"));
    QVERIFY(!h.fake.opened_urls.empty());
    const QString url = q(h.fake.opened_urls.back());
    QVERIFY2(url.startsWith(QStringLiteral("http://127.0.0.1:")) && url.endsWith("/mm.htm"),
             qPrintable(url));
    QVERIFY(common::read_file(script).find("BA1432") != std::string::npos);
    QVERIFY(common::read_file(page).find("refresh") == std::string::npos);

    // Timer on: the first tick recentres and writes the page with its refresh line; every tick
    // writes the script again.
    QTest::mouseClick(h.child<QCheckBox>("Check2"), Qt::LeftButton);
    road.view().tim0_timer();
    QVERIFY(road.settled());
    QVERIFY(common::read_file(page).find("refresh") != std::string::npos);
    QVERIFY(common::remove_file(script));
    road.view().tim0_timer();
    QVERIFY(road.settled());
    QVERIFY(common::file_exists(script));
    // Timer off: the page is written without the refresh line, so the browser stops reloading.
    QTest::mouseClick(h.child<QCheckBox>("Check2"), Qt::LeftButton);
    QVERIFY(common::read_file(page).find("refresh") == std::string::npos);
    QVERIFY(h.fake.messages.empty());
}

QTEST_MAIN(LiveViewTest)
#include "live_view_test.moc"

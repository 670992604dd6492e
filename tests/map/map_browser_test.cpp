// The generated map page in headless chromium, served by the loopback server. Every host but the
// loopback one resolves to nothing, so tiles fail; what is checked is what the script did.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "../unit/common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "mappage/map_page.hpp"
#include "platform/qt_http/map_server.hpp"

namespace fs = std::filesystem;

// The page as generated, with a probe around its script: errors and alerts are recorded before
// the map script runs; afterwards every popup is opened and all is written into the DOM.
constexpr char kProbeBefore[] =
    "<script>seen = []; onerror = function (m) { seen.push(m); };"
    "alert = function (m) { seen.push('alert ' + m); };</script>";
constexpr char kProbeAfter[] =
    "<script>var out = {seen: seen, popups: [], labels: []};"
    "map.eachLayer(function (l) { if (!(l instanceof L.Marker)) return; l.openPopup();"
    "  out.popups.push(l.getPopup().getElement().textContent);"
    "  out.labels.push(l.getElement().textContent); });"
    "var pre = document.createElement('pre'); pre.id = 'probe';"
    "pre.textContent = encodeURIComponent(JSON.stringify(out)); document.body.append(pre);"
    "</script>";

class MapBrowserTest : public QObject {
    Q_OBJECT

  private slots:
    void pageShowsEveryPlaceableFlightWithItsNamesLiterally() {
        const QString chromium = QStandardPaths::findExecutable("chromium");
        if (chromium.isEmpty()) QSKIP("chromium is not installed (apt-get install chromium)");
        const fs::path leaflet = SKELVAR_LEAFLET_DIR;
        if (!fs::exists(leaflet / "leaflet.js"))
            QSKIP(qPrintable("no leaflet.js in " + QString::fromStdString(leaflet.string())));
        testing_support::TempFolder dir;
        const fs::path system = dir.path() / "system";
        fs::create_directories(system);
        for (const char* name : {"leaflet.js", "leaflet.css"})
            fs::copy_file(leaflet / name, system / name);

        const live::RouteTable routes("Chicago O'Hare (ORD),ORD\r\nLondon,LHR\r\n");
        mappage::MapView view{true, std::nullopt};
        mappage::MapInput input;
        input.extent_text = "42.1#41.9#-87.8#-88";
        input.zoom_text = "14";
        input.traffic_text =
            "41.97#-87.90#90#AA1#3000#250#B738#ORD#LHR#Chicago O'Hare Air\r\n"
            "41.98#-87.91#180#XX1#0#35#<b>A320#ORD#LHR#<script>alert(1)</script>\r\n"
            "north#-87.90#0#ZZ1#0#0#C172#ORD#LHR#Left Off\r\n"
            "41.99#-87.92#270#CF1#1000#200#A20N#ORD#LHR#Caf\xE9 Air\r\n"
            "41.96#-87.93#0#N1#0#0#C172#ORD#LHR\r\n";
        input.routes = &routes;
        input.airline_labels = true;
        const auto update = mappage::plot_planesOSM(view, input, false);
        QVERIFY(update);
        std::string page = update->files.page;
        const std::string tag = "<script src=\"apmm.js\"></script>";
        QVERIFY(page.find(tag) != std::string::npos);
        page.replace(page.find(tag), tag.size(), kProbeBefore + tag + kProbeAfter);
        QVERIFY(mappage::write_map_files(
                    {(system / "apmm.js").string(), (system / "mm.htm").string()}, *update)
                    .status);
        QVERIFY(common::write_file_atomic((system / "probe.htm").string(), page));

        platform::MapServer server;
        QVERIFY(server.start(system.string()));
        QProcess browser;
        browser.start(chromium,
                      {"--headless", "--disable-gpu", "--no-sandbox", "--no-first-run",
                       "--user-data-dir=" + QString::fromStdString(dir.file("profile")),
                       "--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1", "--dump-dom",
                       QString::fromStdString(server.page_url("probe.htm"))});
        // The server answers on this thread, so wait with the event loop running.
        QVERIFY(QTest::qWaitFor([&] { return browser.state() == QProcess::NotRunning; }, 120000));
        const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
        const qsizetype begin = dom.indexOf("<pre id=\"probe\">") + 16;
        QVERIFY2(begin >= 16,
                 qPrintable(dom.left(3000) + browser.readAllStandardError().right(2000)));
        const QByteArray json =
            QUrl::fromPercentEncoding(dom.mid(begin, dom.indexOf("</pre>", begin) - begin).toUtf8())
                .toUtf8();
        const QJsonObject out = QJsonDocument::fromJson(json).object();
        QCOMPARE(out["seen"].toArray().size(), 0);  // no script error, no alert
        QStringList popups, labels;
        for (const auto& p : out["popups"].toArray()) popups << p.toString();
        for (const auto& l : out["labels"].toArray()) labels << l.toString();
        QCOMPARE(popups.size(), 4);  // the flight whose latitude is no number is left off
        QCOMPARE(dom.count("my-div-icon"), 4);
        for (const QString& name :
             {QString("Chicago O'Hare Air"), QString("<script>alert(1)</script>"),
              QString::fromUtf8("Caf\xC3\xA9 Air")})
            QVERIFY2(popups.filter(name).size() == 1, qPrintable(popups.join(" | ")));
        QCOMPARE(popups.filter("Chicago O'Hare-London").size(), 4);
        QVERIFY2(labels.filter("<b>A320 XX1").size() == 1, qPrintable(labels.join(" | ")));
    }
};

QTEST_GUILESS_MAIN(MapBrowserTest)
#include "map_browser_test.moc"

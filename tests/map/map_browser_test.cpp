// The generated map page in a real browser: headless chromium loads it through the loopback
// server. Tile requests fail (every host but the loopback one resolves to nothing), which the
// page survives; what is checked is what the script did.

#include <QDir>
#include <QFile>
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

namespace {

// Recorded before the map script runs, read back from the DOM dump after it.
constexpr char kProbeHead[] =
    "<script>window.seen = []; window.onerror = function (m) { seen.push('error: ' + m); };"
    "window.alert = function (m) { seen.push('alert: ' + m); };</script>";
constexpr char kProbeScript[] =
    "var out = {markers: 0, popups: [], labels: [], seen: window.seen,\n"
    "           scripts: document.getElementsByTagName('script').length};\n"
    "map.eachLayer(function (layer) {\n"
    "  if (!(layer instanceof L.Marker)) return;\n"
    "  out.markers++;\n"
    "  layer.openPopup();\n"
    "  out.popups.push(layer.getPopup().getElement().textContent);\n"
    "  out.labels.push(layer.getElement().textContent);\n"
    "});\n"
    "var pre = document.createElement('pre');\n"
    "pre.id = 'probe';\n"
    "pre.textContent = encodeURIComponent(JSON.stringify(out));\n"
    "document.body.appendChild(pre);\n";

const std::string kTraffic =
    "41.97#-87.90#90#AA1#3000#250#B738#ORD#LHR#Chicago O'Hare Air\r\n"
    "41.98#-87.91#180#XX1#0#35#<b>A320#ORD#LHR#<script>alert(1)</script>\r\n"
    "north#-87.90#0#ZZ1#0#0#C172#ORD#LHR#Left Off\r\n"
    "41.99#-87.92#270#CF1#1000#200#A20N#ORD#LHR#Caf\xE9 Air\r\n"
    "41.96#-87.93#0#N1#0#0#C172#ORD#LHR\r\n";
constexpr int kMarkers = 4;  // the line whose latitude is no number is left off

}  // namespace

class MapBrowserTest : public QObject {
    Q_OBJECT

  private:
    testing_support::TempFolder dir_;
    fs::path system_ = dir_.path() / "system";
    platform::MapServer server_;
    QString chromium_;

    // The DOM after the page loaded, and what the browser logged.
    struct Dump {
        QString dom;
        QString log;
    };
    Dump dump_dom(const std::string& url) {
        QProcess browser;
        const QStringList args{"--headless",
                               "--disable-gpu",
                               "--no-sandbox",
                               "--no-first-run",
                               "--user-data-dir=" + QString::fromStdString(dir_.file("profile")),
                               "--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1",
                               "--enable-logging=stderr",
                               "--v=0",
                               "--dump-dom",
                               QString::fromStdString(url)};
        browser.start(chromium_, args);
        if (!browser.waitForStarted()) return {};
        // The server answers on this thread, so wait with the event loop running.
        if (!QTest::qWaitFor([&] { return browser.state() == QProcess::NotRunning; }, 120000)) {
            browser.kill();
            browser.waitForFinished();
        }
        return {QString::fromUtf8(browser.readAllStandardOutput()),
                QString::fromUtf8(browser.readAllStandardError())};
    }

  private slots:
    void initTestCase() {
        chromium_ = QStandardPaths::findExecutable("chromium");
        if (chromium_.isEmpty()) chromium_ = QStandardPaths::findExecutable("chromium-browser");
        if (chromium_.isEmpty()) QSKIP("chromium is not installed (apt-get install chromium)");
        const fs::path leaflet = SKELVAR_LEAFLET_DIR;
        if (!fs::exists(leaflet / "leaflet.js")) {
            QSKIP(qPrintable("no Leaflet at " + QString::fromStdString(leaflet.string()) +
                             " (set SKELVAR_LEAFLET_DIR or let npm fetch leaflet@1.9.4)"));
        }
        fs::create_directories(system_);
        fs::copy_file(leaflet / "leaflet.js", system_ / "leaflet.js");
        fs::copy_file(leaflet / "leaflet.css", system_ / "leaflet.css");

        const live::RouteTable routes("Chicago O'Hare (ORD),ORD\r\nLondon,LHR\r\n");
        mappage::MapView view{true, std::nullopt};
        mappage::MapInput input;
        input.extent_text = "42.1#41.9#-87.8#-88";
        input.zoom_text = "14";
        input.traffic_text = kTraffic;
        input.routes = &routes;
        input.airline_labels = true;
        const auto update = mappage::plot_planesOSM(view, input, false);
        QVERIFY(update);
        QVERIFY(update->open_page);
        const mappage::MapPaths paths{(system_ / "apmm.js").string(),
                                      (system_ / "mm.htm").string()};
        QVERIFY(mappage::write_map_files(paths, *update).status);

        std::string probe = update->files.page;
        const std::string script_tag = "<script src=\"apmm.js\"></script>";
        const std::size_t at = probe.find(script_tag);
        QVERIFY(at != std::string::npos);
        probe.replace(at, script_tag.size(),
                      kProbeHead + script_tag + "<script src=\"probe.js\"></script>");
        QVERIFY(common::write_file_atomic((system_ / "probe.htm").string(), probe));
        QVERIFY(common::write_file_atomic((system_ / "probe.js").string(), kProbeScript));
        QVERIFY(server_.start(system_.string()));
    }

    void pageShowsOneMarkerPerPlaceableFlightWithoutScriptErrors() {
        const Dump dump = dump_dom(server_.page_url("mm.htm"));
        QVERIFY2(dump.dom.contains("leaflet-container"), qPrintable(dump.log.right(2000)));
        QCOMPARE(dump.dom.count("my-div-icon"), kMarkers);
        QCOMPARE(dump.dom.count("<script"), 2);
        QVERIFY2(!dump.log.contains("Uncaught"), qPrintable(dump.log.right(2000)));
        QVERIFY(dump.dom.contains("&lt;b&gt;A320 XX1"));
    }

    void popupsShowTheNamesLiterally() {
        const Dump dump = dump_dom(server_.page_url("probe.htm"));
        const qsizetype begin = dump.dom.indexOf("<pre id=\"probe\">");
        QVERIFY2(begin >= 0, qPrintable(dump.dom.right(2000) + dump.log.right(2000)));
        const qsizetype end = dump.dom.indexOf("</pre>", begin);
        const QString encoded = dump.dom.mid(begin + 16, end - begin - 16);
        const QJsonObject out =
            QJsonDocument::fromJson(QUrl::fromPercentEncoding(encoded.toUtf8()).toUtf8()).object();
        QCOMPARE(out["seen"].toArray().size(), 0);
        QCOMPARE(out["markers"].toInt(), kMarkers);
        QCOMPARE(out["scripts"].toInt(), 4);  // the probe's two, Leaflet and the map script

        QStringList popups;
        for (const auto& popup : out["popups"].toArray()) popups << popup.toString();
        QStringList labels;
        for (const auto& label : out["labels"].toArray()) labels << label.toString();
        const auto has = [](const QStringList& list, const QString& text) {
            return list.filter(text, Qt::CaseSensitive).size() == 1;
        };
        QVERIFY2(has(popups, "Chicago O'Hare Air"), qPrintable(popups.join('|')));
        QVERIFY2(has(popups, "<script>alert(1)</script>"), qPrintable(popups.join('|')));
        QVERIFY2(has(popups, QString::fromUtf8("Caf\xC3\xA9 Air")), qPrintable(popups.join('|')));
        QCOMPARE(popups.filter("Chicago O'Hare-London").size(), kMarkers);
        QVERIFY(!popups.join('|').contains("Left Off"));
        QVERIFY2(has(labels, "<b>A320 XX1"), qPrintable(labels.join('|')));
    }
};

QTEST_GUILESS_MAIN(MapBrowserTest)
#include "map_browser_test.moc"

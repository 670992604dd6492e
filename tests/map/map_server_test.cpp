#include "platform/qt_http/map_server.hpp"

#include <QNetworkInterface>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "../unit/common/temp_folder.hpp"
#include "raw_http.hpp"

namespace fs = std::filesystem;
using map_test::raw_get;

class MapServerTest : public QObject {
    Q_OBJECT

  private:
    testing_support::TempFolder dir_;
    fs::path system_ = dir_.path() / "system";
    platform::MapServer server_;

    void put(const fs::path& p, const std::string& text) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }

  private slots:
    void initTestCase() {
        put(system_ / "mm.htm", "<html>page</html>");
        put(system_ / "apmm.js", "var map;");
        put(system_ / "leaflet.js", "L={}");
        put(system_ / "leaflet.css", ".x{}");
        put(system_ / "imgs" / "p10.gif", "GIF89a");
        put(system_ / "imgs" / "logo.PNG", "png");
        put(system_ / "icon.svg", "<svg/>");
        put(system_ / "airplst", "private list");
        put(system_ / ".hidden.js", "hidden");
        put(dir_.path() / "mm.dat", "settings");
        put(dir_.path() / "secret.js", "outside");
        fs::create_symlink(dir_.path() / "secret.js", system_ / "link.js");
        QVERIFY(server_.start(system_.string()));
        QVERIFY(server_.start(system_.string()));
    }

    void servesThePageFilesWithTheirTypes_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("page") << QByteArray("/mm.htm") << QByteArray("text/html; charset=utf-8")
                              << QByteArray("<html>page</html>");
        QTest::newRow("script") << QByteArray("/apmm.js")
                                << QByteArray("text/javascript; charset=utf-8")
                                << QByteArray("var map;");
        QTest::newRow("leaflet") << QByteArray("/leaflet.js")
                                 << QByteArray("text/javascript; charset=utf-8")
                                 << QByteArray("L={}");
        QTest::newRow("style") << QByteArray("/leaflet.css")
                               << QByteArray("text/css; charset=utf-8") << QByteArray(".x{}");
        QTest::newRow("icon") << QByteArray("/imgs/p10.gif") << QByteArray("image/gif")
                              << QByteArray("GIF89a");
        QTest::newRow("pngAnyCase")
            << QByteArray("/imgs/logo.PNG") << QByteArray("image/png") << QByteArray("png");
        QTest::newRow("svg") << QByteArray("/icon.svg") << QByteArray("image/svg+xml")
                             << QByteArray("<svg/>");
        QTest::newRow("queryIgnored")
            << QByteArray("/mm.htm?t=1") << QByteArray("text/html; charset=utf-8")
            << QByteArray("<html>page</html>");
    }
    void servesThePageFilesWithTheirTypes() {
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, body);
        const auto response = raw_get(server_.port(), target);
        QCOMPARE(response.status, 200);
        QCOMPARE(response.content_type, type);
        QCOMPARE(response.body, body);
    }

    void refusesEverythingElse_data() {
        QTest::addColumn<QByteArray>("target");
        const char* targets[] = {"/",
                                 "/imgs",
                                 "/imgs/",
                                 "/airplst",
                                 "/missing.js",
                                 "/.hidden.js",
                                 "/../mm.dat",
                                 "/../secret.js",
                                 "/imgs/../../secret.js",
                                 "/%2e%2e/secret.js",
                                 "/%2E%2E/secret.js",
                                 "/.%2e/secret.js",
                                 "/..%2fsecret.js",
                                 "/imgs%2f..%2f..%2fsecret.js",
                                 "/..\\secret.js",
                                 "/%5c..%5csecret.js",
                                 "/link.js",
                                 "//etc/passwd",
                                 "/etc/passwd",
                                 "/C:/secret.js",
                                 "/mm.htm%00.js",
                                 "/imgs//p10.gif",
                                 "/./mm.htm",
                                 "http://127.0.0.1/../secret.js"};
        for (const char* target : targets) QTest::newRow(target) << QByteArray(target);
        const std::string absolute = (dir_.path() / "secret.js").string();
        QTest::newRow("absolutePath") << QByteArray::fromStdString(absolute);
        QTest::newRow("absoluteInside") << QByteArray::fromStdString((system_ / "mm.htm").string());
    }
    void refusesEverythingElse() {
        QFETCH(QByteArray, target);
        const auto response = raw_get(server_.port(), target);
        QVERIFY2(response.status == 404 || response.status == 400,
                 QByteArray::number(response.status).constData());
        QVERIFY(!response.body.contains("outside"));
        QVERIFY(!response.body.contains("settings"));
    }

    void answersOnlyRequestsAddressedToTheLoopbackAddress() {
        const QByteArray port = QByteArray::number(server_.port());
        QCOMPARE(raw_get(server_.port(), "/mm.htm", "localhost:" + port).status, 200);
        QCOMPARE(raw_get(server_.port(), "/mm.htm", "attacker.example:" + port).status, 403);
        QCOMPARE(raw_get(server_.port(), "/mm.htm", "127.0.0.1").status, 403);
        const auto post =
            map_test::raw_request(QHostAddress::LocalHost, server_.port(),
                                  "POST /mm.htm HTTP/1.1\r\nHost: 127.0.0.1:" + port +
                                      "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        QCOMPARE(post.status, 405);
    }

    void listensOnTheLoopbackAddressOnly() {
        QVERIFY(server_.port() != 0);
        QCOMPARE(QString::fromStdString(server_.page_url("mm.htm")),
                 QString("http://127.0.0.1:%1/mm.htm").arg(server_.port()));
        int tried = 0;
        for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
            if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            ++tried;
            QTcpSocket socket;
            socket.connectToHost(address, server_.port());
            QVERIFY2(!socket.waitForConnected(1000), qPrintable(address.toString()));
        }
        if (tried == 0) QSKIP("no non-loopback IPv4 address to try");
    }

    void refusesAFolderThatIsMissing() {
        platform::MapServer other;
        QVERIFY(!other.start((dir_.path() / "nowhere").string()));
        QVERIFY(!other.running());
        QCOMPARE(other.page_url("mm.htm"), std::string());
    }
};

QTEST_GUILESS_MAIN(MapServerTest)
#include "map_server_test.moc"

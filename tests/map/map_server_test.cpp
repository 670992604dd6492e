#include "platform/qt_http/map_server.hpp"

#include <QNetworkInterface>
#include <QTcpSocket>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "../unit/common/temp_folder.hpp"

namespace fs = std::filesystem;

class MapServerTest : public QObject {
    Q_OBJECT

    testing_support::TempFolder dir_;
    fs::path system_ = dir_.path() / "system";
    platform::MapServer server_;

    // Sent byte for byte, so no client library tidies the path first. The server runs on this
    // thread: wait with the event loop running until the answer is whole.
    QByteArray request(const QByteArray& target, const QByteArray& host = {},
                       const QByteArray& method = "GET") {
        const QByteArray port = QByteArray::number(server_.port());
        QTcpSocket socket;
        QByteArray answer;
        connect(&socket, &QTcpSocket::readyRead, [&] { answer += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, server_.port());
        socket.write(method + " " + target +
                     " HTTP/1.1\r\nHost: " + (host.isEmpty() ? "127.0.0.1:" + port : host) +
                     "\r\nContent-Length: 0\r\n\r\n");
        const auto whole = [&] {
            const qsizetype end = answer.indexOf("\r\n\r\n");
            const qsizetype at = answer.indexOf("\r\nContent-Length: ");
            return end > 0 && at > 0 &&
                   answer.size() - end - 4 >=
                       answer.mid(at + 18, end - at - 18).split('\r')[0].toInt();
        };
        if (!QTest::qWaitFor(whole, 5000)) return {};
        return answer;
    }

  private slots:
    void initTestCase() {
        for (const char* name : {"mm.htm", "apmm.js", "leaflet.js", "leaflet.css", "imgs/p10.gif",
                                 "icon.svg", "airplst", "../mm.dat", "../secret.js"}) {
            fs::create_directories((system_ / name).parent_path());
            std::ofstream(system_ / name) << "content of " << name;
        }
        fs::create_symlink(dir_.path() / "secret.js", system_ / "link.js");
        QVERIFY(server_.start(system_.string()));
        QCOMPARE(QString::fromStdString(server_.page_url("mm.htm")),
                 QString("http://127.0.0.1:%1/mm.htm").arg(server_.port()));
    }

    void servesThePageFilesWithTheirTypes() {
        const std::pair<const char*, const char*> cases[] = {
            {"mm.htm", "text/html; charset=utf-8"},
            {"apmm.js", "text/javascript; charset=utf-8"},
            {"leaflet.js", "text/javascript; charset=utf-8"},
            {"leaflet.css", "text/css; charset=utf-8"},
            {"imgs/p10.gif", "image/gif"},
            {"icon.svg", "image/svg+xml"}};
        for (const auto& [name, type] : cases) {
            const QByteArray answer = request(QByteArray("/") + name);
            QVERIFY2(answer.startsWith("HTTP/1.1 200 "), answer.constData());
            QVERIFY2(answer.contains("\r\nContent-Type: " + QByteArray(type) + "\r\n"), name);
            QVERIFY(answer.endsWith("\r\n\r\ncontent of " + QByteArray(name)));
        }
    }

    void refusesAnythingOutsideTheFolderOrNotAPageFile() {
        QList<QByteArray> targets =
            QByteArray(
                "/ /imgs/ /airplst /missing.js /../mm.dat /../secret.js "
                "/imgs/../../secret.js /%2e%2e/secret.js /%2E%2E/secret.js /..%2fsecret.js "
                "/..\\secret.js /%5c..%5csecret.js /link.js //mm.htm /C:/mm.htm "
                "/mm.htm%00.js http://127.0.0.1/../secret.js")
                .split(' ');
        for (const fs::path& absolute : {system_ / "mm.htm", dir_.path() / "secret.js"})
            targets << QByteArray::fromStdString(absolute.string());
        for (const QByteArray& target : targets) {
            const QByteArray answer = request(target);
            QVERIFY2(answer.startsWith("HTTP/1.1 404 ") || answer.startsWith("HTTP/1.1 400 "),
                     target + ": " + answer.left(40));
            QVERIFY(!answer.contains("content of"));
        }
    }

    void answersOnlyRequestsAddressedToItselfAndOnlyGet() {
        const QByteArray port = QByteArray::number(server_.port());
        QVERIFY(request("/mm.htm", "localhost:" + port).startsWith("HTTP/1.1 200 "));
        QVERIFY(request("/mm.htm", "attacker.example:" + port).startsWith("HTTP/1.1 403 "));
        QVERIFY(request("/mm.htm", {}, "POST").startsWith("HTTP/1.1 405 "));
    }

    void listensOnTheLoopbackAddressOnly() {
        int tried = 0;
        for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
            if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            ++tried;
            QTcpSocket socket;
            socket.connectToHost(address, server_.port());
            QVERIFY2(!socket.waitForConnected(1000), qPrintable(address.toString()));
        }
        if (tried == 0) QSKIP("no address but the loopback one to try");
    }
};

QTEST_GUILESS_MAIN(MapServerTest)
#include "map_server_test.moc"

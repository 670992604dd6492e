#pragma once
// One HTTP request sent byte for byte over a socket, so no client library tidies the path
// before the server sees it.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

namespace map_test {

struct RawResponse {
    int status = 0;  // 0: no answer
    QByteArray content_type;
    QByteArray body;
};

inline RawResponse raw_request(const QHostAddress& address, quint16 port, const QByteArray& head) {
    RawResponse response;
    QTcpSocket socket;
    QByteArray bytes;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { bytes += socket.readAll(); });
    socket.connectToHost(address, port);
    socket.write(head);
    // The server runs on this thread: wait with the event loop running, until the answer is
    // whole or the server closed the connection.
    const auto whole = [&] {
        const qsizetype end = bytes.indexOf("\r\n\r\n");
        if (end < 0) return false;
        response.status = bytes.left(bytes.indexOf("\r\n")).split(' ').value(1).toInt();
        qsizetype length = 0;
        for (const QByteArray& line : bytes.left(end).split('\n')) {
            const QByteArray l = line.trimmed();
            const QByteArray key = l.left(l.indexOf(':')).toLower();
            if (key == "content-length") length = l.mid(l.indexOf(':') + 1).trimmed().toLongLong();
            if (key == "content-type") response.content_type = l.mid(l.indexOf(':') + 1).trimmed();
        }
        if (bytes.size() - end - 4 < length) return false;
        response.body = bytes.mid(end + 4, length);
        return true;
    };
    const bool ended = QTest::qWaitFor(
        [&] { return whole() || socket.state() == QAbstractSocket::UnconnectedState; }, 5000);
    if (!ended || !whole()) response = {};
    return response;
}

inline RawResponse raw_get(quint16 port, const QByteArray& target, QByteArray host = {}) {
    if (host.isEmpty()) host = "127.0.0.1:" + QByteArray::number(port);
    return raw_request(
        QHostAddress::LocalHost, port,
        "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n");
}

}  // namespace map_test

#pragma once
// A feed server on 127.0.0.1 for the window tests: answers each request with the next canned
// reply (a status and a body, a connection closed without an answer, or no answer at all) and
// keeps the requests it received.

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <deque>
#include <map>

namespace gui_support {

class FeedServer : public QObject {
  public:
    struct Reply {
        int status = 200;
        QByteArray body;
        bool close_silently = false;  // close the connection without an answer
        bool stall = false;           // keep the connection open, never answer
    };

    FeedServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, this,
                                 [this, socket] { read(socket); });
            }
        });
    }
    [[nodiscard]] QString address() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
    }

    // Closes the connections left without an answer.
    void release_stalled() {
        for (QTcpSocket* socket : stalled_) socket->disconnectFromHost();
        stalled_.clear();
    }

    std::deque<Reply> replies;  // a plain 200 with an empty feed when none is left
    QList<QByteArray> requests;

  private:
    void read(QTcpSocket* socket) {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n")) return;
        requests << buffer;
        buffer.clear();
        Reply r = replies.empty() ? Reply{200, R"({"full_count":0,"version":4})"} : replies.front();
        if (!replies.empty()) replies.pop_front();
        if (r.stall) {
            stalled_ << socket;
            return;
        }
        if (!r.close_silently) {
            socket->write("HTTP/1.1 " + QByteArray::number(r.status) +
                          " X\r\nContent-Type: application/json\r\nContent-Length: " +
                          QByteArray::number(r.body.size()) + "\r\nConnection: close\r\n\r\n" +
                          r.body);
        }
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QList<QTcpSocket*> stalled_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

}  // namespace gui_support

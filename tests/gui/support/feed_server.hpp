#pragma once
// A feed server on 127.0.0.1 for the window tests and the long run: answers each request with
// the next canned reply (a status and a body, a connection closed without an answer, or no
// answer at all) and keeps the requests it received. A connection is let go once closed, so a
// long run holds no more of them than are open.

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <deque>
#include <functional>
#include <map>
#include <utility>

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
                QObject::connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                    pending_.erase(socket);
                    stalled_.removeAll(socket);
                    socket->deleteLater();
                });
            }
        });
    }
    [[nodiscard]] QString address() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
    }

    // Closes the connections left without an answer.
    void release_stalled() {
        const QList<QTcpSocket*> stalled = std::exchange(stalled_, {});
        for (QTcpSocket* socket : stalled) socket->disconnectFromHost();
    }

    std::deque<Reply> replies;  // then next_reply's, else a plain 200 with an empty feed
    std::function<Reply()> next_reply;
    QList<QByteArray> requests;
    bool keep_requests = true;

  private:
    void read(QTcpSocket* socket) {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n")) return;
        if (keep_requests) requests << buffer;
        buffer.clear();
        Reply r = Reply{200, R"({"full_count":0,"version":4})"};
        if (!replies.empty()) {
            r = replies.front();
            replies.pop_front();
        } else if (next_reply) {
            r = next_reply();
        }
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

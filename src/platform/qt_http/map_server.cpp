#include "platform/qt_http/map_server.hpp"

#include <QAbstractHttpServer>
#include <QFile>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QUrl>
#include <filesystem>
#include <system_error>

#include "platform/core/served_file.hpp"

namespace platform {

using Status = QHttpServerResponder::StatusCode;

class MapServer::Server final : public QAbstractHttpServer {
  public:
    explicit Server(std::filesystem::path root) : root_(std::move(root)) {}

    quint16 port = 0;

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        QHttpServerResponder responder = makeResponder(request, socket);
        // Another site's page could reach this port under a name it controls (DNS rebinding);
        // only requests addressed to the loopback address itself are answered.
        if (!addressed_here(request)) {
            responder.write(Status::Forbidden);
            return true;
        }
        if (request.method() != QHttpServerRequest::Method::Get) {
            responder.write(Status::MethodNotAllowed);
            return true;
        }
        const QByteArray path = request.url().path(QUrl::FullyEncoded).toUtf8();
        const auto file = served_file(root_, std::string_view(path.constData(), path.size()));
        if (!file) {
            responder.write(Status::NotFound);
            return true;
        }
        QFile in(QString::fromStdString(file->string()));
        if (!in.open(QIODevice::ReadOnly)) {
            responder.write(Status::NotFound);
            return true;
        }
        const std::string_view type = served_content_type(file->filename().string());
        // no-store: the page reloads every 5 seconds and must pick up the script just written.
        responder.write(in.readAll(), {{"Content-Type", QByteArray(type.data(), type.size())},
                                       {"Cache-Control", "no-store"},
                                       {"X-Content-Type-Options", "nosniff"}});
        return true;
    }

    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
        makeResponder(request, socket).write(Status::NotFound);
    }

  private:
    bool addressed_here(const QHttpServerRequest& request) const {
        const QByteArray suffix = ':' + QByteArray::number(port);
        for (const auto& [key, value] : request.headers()) {
            if (key.compare("host", Qt::CaseInsensitive) != 0) continue;
            const QByteArray host = value.trimmed().toLower();
            return host == "127.0.0.1" + suffix || host == "localhost" + suffix;
        }
        return false;
    }

    std::filesystem::path root_;
};

MapServer::MapServer() = default;
MapServer::~MapServer() = default;

bool MapServer::start(const std::string& system_folder) {
    if (server_) return true;
    std::error_code ec;
    std::filesystem::path root = std::filesystem::canonical(system_folder, ec);
    if (ec || !std::filesystem::is_directory(root, ec)) return false;
    auto server = std::make_unique<Server>(std::move(root));
    server->port = server->listen(QHostAddress::LocalHost, 0);
    if (server->port == 0) return false;
    server_ = std::move(server);
    return true;
}

bool MapServer::running() const noexcept {
    return server_ != nullptr;
}

std::uint16_t MapServer::port() const noexcept {
    return server_ ? server_->port : 0;
}

std::string MapServer::page_url(std::string_view file) const {
    if (!server_) return {};
    std::string url = "http://127.0.0.1:" + std::to_string(server_->port) + "/";
    url += file;
    return url;
}

}  // namespace platform

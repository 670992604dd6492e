// The companion's version and its update check against a one-shot HTTP server on 127.0.0.1.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/build_settings.hpp"
#include "app/update_check.hpp"
#include "cli/cli.hpp"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

using Args = std::vector<std::string>;

struct CliRun {
    int status;
    std::string out, err;
};

CliRun run(const Args& args) {
    std::ostringstream out, err;
    const int status = cli::run(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(CheckUpdateCommand, version_printsTheBuiltVersion) {
    const CliRun r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Skelvar " + std::string(app::kAppVersion) + "\n");
}

#ifdef _WIN32
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;
void close_socket(Socket s) {
    ::closesocket(s);
}
#else
using Socket = int;
constexpr Socket kNoSocket = -1;
void close_socket(Socket s) {
    ::close(s);
}
#endif

// Answers one request with the given raw HTTP response, then closes.
class OneShotServer {
  public:
    explicit OneShotServer(std::string response) : response_(std::move(response)) {
#ifdef _WIN32
        static const bool started = [] {
            WSADATA data;
            return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
        }();
        if (!started) return;
#endif
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (fd_ == kNoSocket || ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
            ::listen(fd_, 1) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
            return;
        }
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~OneShotServer() {
        if (thread_.joinable()) thread_.join();
        if (fd_ != kNoSocket) close_socket(fd_);
    }
    [[nodiscard]] std::string url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    [[nodiscard]] bool listening() const {
        return port_ != 0;
    }

  private:
    void serve() {
        const Socket client = ::accept(fd_, nullptr, nullptr);
        if (client == kNoSocket) return;
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const auto n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        ::send(client, response_.data(), static_cast<int>(response_.size()), 0);
        close_socket(client);
    }

    std::string response_;
    Socket fd_ = kNoSocket;
    int port_ = 0;
    std::thread thread_;
};

std::string http(const char* status_line, const std::string& body) {
    return std::string("HTTP/1.1 ") + status_line +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

TEST(CheckUpdateCommand, checkUpdate_printsTheResultAndExitsWithItsStatus) {
    const struct {
        std::string response;
        int status;
        std::string out;
    } cases[] = {
        {http("200 OK", std::string(app::kAppVersion) + "\r\nnotes\r\n"), 0,
         "Your version is up to date.\n"},
        {http("200 OK", "999.5\r\n"), 10,
         "An update is available 999.5\n" + app::program_page_url(app::kMakerSite) + "\n"},
        {http("200 OK", "0.5"), 0, "Your version is up to date.\n"},
        {http("404 Not Found", "9.9"), 1,
         "Could not check for updates: the server answered with status 404\n"},
        {http("200 OK", "<html>"), 1,
         "Could not check for updates: the answer is not a version number\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        OneShotServer server(c.response);
        ASSERT_TRUE(server.listening());
        const CliRun r = run({"check-update", "--url", server.url("/varnok")});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(CheckUpdateCommand, checkUpdate_withNobodyListening_fails) {
    std::string url;
    {
        OneShotServer server(http("200 OK", "1.8"));
        ASSERT_TRUE(server.listening());
        url = server.url("/varnok");
        run({"check-update", "--url", url});  // takes the one answer; the port then closes
    }
    const CliRun r = run({"check-update", "--url", url});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "Could not check for updates: no answer from the server (no network or time-out)\n");
}

}  // namespace

#pragma once
// The loopback web server that shows the map page. A page opened from a file sends no Referer,
// and the map's tile server refuses such requests; served from http://127.0.0.1 the page gets
// its tiles. It listens on 127.0.0.1 only, on a free port, and answers GET (and HEAD) for the
// page's files under the system folder; everything else is 404. The window owns one instance
// for the whole run; it needs a running Qt event loop.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class MapServer {
  public:
    MapServer();
    ~MapServer();
    MapServer(const MapServer&) = delete;
    MapServer& operator=(const MapServer&) = delete;

    // Serves system_folder (which must exist) from a free loopback port. False when the folder
    // is missing or no port could be bound; a second call while running changes nothing and
    // returns true.
    bool start(const std::string& system_folder);
    [[nodiscard]] bool running() const noexcept;
    [[nodiscard]] std::uint16_t port() const noexcept;  // 0 when not running

    // "http://127.0.0.1:<port>/" + file (e.g. "mm.htm"); "" when not running.
    [[nodiscard]] std::string page_url(std::string_view file) const;

  private:
    class Server;
    std::unique_ptr<Server> server_;
};

}  // namespace platform

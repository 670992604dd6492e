#pragma once
// The operating-system services the program uses, behind one interface. The Qt implementation
// lives in platform/qt; tests use a scripted fake.

#include <functional>
#include <string>
#include <string_view>

namespace platform {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Critical, Question };
enum class Answer { Ok, Yes, No, Cancel };

struct HttpResult {
    bool ok = false;   // a response arrived
    int status = 0;    // HTTP status code, 0 without a response
    std::string body;  // response bytes
    // Without a response: the system's description of the failure, and whether it was the
    // time-out.
    std::string error;
    bool timed_out = false;
};

class Platform {
  public:
    virtual ~Platform() = default;

    virtual Answer message(std::string_view text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None) = 0;
    // Opens an address or a local file with its associated program; false when that failed.
    virtual bool open_url(std::string_view url) = 0;
    virtual bool open_file(std::string_view path, std::string_view working_folder) = 0;
    // Starts the system's text editor on the file, without waiting.
    virtual bool open_in_text_editor(std::string_view path) = 0;
    // The chosen folder, or "" when cancelled.
    virtual std::string browse_folder(std::string_view start_folder, std::string_view title) = 0;
    // The save dialog: the chosen file's path, or "" when cancelled.
    virtual std::string save_file_name(std::string_view suggested_path, std::string_view title) = 0;
    // An empty user_agent sends no User-Agent header.
    virtual HttpResult http_get(std::string_view url, std::string_view user_agent,
                                int timeout_ms) = 0;
    // The same GET without waiting: done runs on the window's thread once the answer or the
    // failure is in (possibly before this returns, in tests).
    virtual void http_get_async(std::string_view url, std::string_view user_agent, int timeout_ms,
                                std::function<void(HttpResult)> done) = 0;
    virtual bool is_user_admin() = 0;
    virtual void set_clipboard_text(std::string_view text) = 0;
    // Busy cursor; calls do not nest: one busy_off ends the busy state.
    virtual void busy_on() = 0;
    virtual void busy_off() = 0;
    // Lets the window process pending events.
    virtual void process_events() = 0;
};

}  // namespace platform

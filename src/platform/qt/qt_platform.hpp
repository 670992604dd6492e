#pragma once
// The platform services through Qt, with Windows calls where Qt has none.

#include <QPointer>
#include <QWidget>

class QNetworkAccessManager;

#include "platform/platform.hpp"

namespace platform {

class QtPlatform final : public Platform {
  public:
    // Dialogs are owned by this window (may be null).
    void set_owner(QWidget* owner) { owner_ = owner; }

    Answer message(std::string_view text, Buttons buttons, Icon icon) override;
    bool open_url(std::string_view url) override;
    bool open_file(std::string_view path, std::string_view working_folder) override;
    bool open_in_text_editor(std::string_view path) override;
    std::string browse_folder(std::string_view start_folder, std::string_view title) override;
    std::string save_file_name(std::string_view suggested_path, std::string_view title) override;
    HttpResult http_get(std::string_view url, std::string_view user_agent, int timeout_ms) override;
    void http_get_async(std::string_view url, std::string_view user_agent, int timeout_ms,
                        std::function<void(HttpResult)> done) override;
    bool is_user_admin() override;
    void set_clipboard_text(std::string_view text) override;
    void busy_on() override;
    void busy_off() override;
    void process_events() override;

  private:
    QPointer<QWidget> owner_;
    QNetworkAccessManager* network_ = nullptr;  // for the GETs that do not wait
    bool busy_ = false;
};

// File bytes to display text: UTF-8 when valid, else Windows-1252; and back.
QString to_display(std::string_view bytes);
std::string from_display(const QString& text);

}  // namespace platform

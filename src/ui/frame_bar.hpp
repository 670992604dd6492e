#pragma once
// The row across the top of the window: the log-folder box with ">>", the Logs / Live Airports
// toggle, and the search box shared by both views. It keeps the session's copies of the boxes
// current and runs the log-folder choice; the window routes the search to the view shown.

#include <QWidget>
#include <string>

#include "app/session.hpp"
#include "platform/platform.hpp"

class QCheckBox;
class QHBoxLayout;
class QLineEdit;

namespace ui {

class PictureButton;

class FrameBar : public QWidget {
    Q_OBJECT
  public:
    FrameBar(platform::Platform& platform, app::Session& session, QWidget* parent = nullptr);

    // Puts a widget of another view (the "Failed:" count) after the toggle.
    void add_status(QWidget* widget);
    // logs_MouseUp as if the box had been released: applies the toggle and may ask chk_logs.
    void logs_mouse_up(int index);
    // Ticks "Logs" and applies it as a release of that box does.
    void show_log_view();
    // ">>": the folder picker, then the chosen folder is adopted.
    void command2_click();
    // Makes the folder the logs folder, as a choice in the picker does.
    void adopt_folder(const std::string& folder);
    // Mouse moved over the window's own surface: these buttons rest.
    void rest_buttons();

    [[nodiscard]] bool log_view_shown() const;
    [[nodiscard]] bool match_case() const;

  signals:
    void folderAdopted();
    void viewChanged(bool log_view);
    void searchRequested(const std::string& query, bool match_case);
    // The user typed into the search box (not Enter): the live search starts again at the top.
    void searchTextTyped();

  private:
    void chk_logs();

    platform::Platform& platform_;
    app::Session& session_;
    QHBoxLayout* row_ = nullptr;
    int status_index_ = 0;
    QLineEdit* text1_ = nullptr;
    PictureButton* command2_ = nullptr;
    QCheckBox* logs_[2] = {nullptr, nullptr};
    QLineEdit* text3_ = nullptr;
    PictureButton* command1_ = nullptr;
    QCheckBox* check5_ = nullptr;
};

}  // namespace ui

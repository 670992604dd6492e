#pragma once
// The main window F1: composes the views and the menu bar around one session. The views render
// the session and forward user actions to the app layer; the window itself only wires them.

#include <QMainWindow>
#include <string>

#include "app/reports.hpp"
#include "app/session.hpp"
#include "platform/platform.hpp"

class QDialog;
class QFrame;
class QHBoxLayout;
class QListWidget;

namespace ui {

class FrameBar;
class LiveView;
class LogView;
class SpawnTableWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(platform::Platform& platform, std::string program_folder, bool comma_decimal,
               QWidget* parent = nullptr);

    [[nodiscard]] app::Session& session() { return session_; }
    [[nodiscard]] LogView* log_view() const { return log_view_; }
    [[nodiscard]] LiveView* live_view() const { return live_view_; }
    [[nodiscard]] SpawnTableWidget* table_widget() const;

    // Form_Activate: relists the log files; the first one also runs the administrator check.
    // It runs when the window is first shown and when one of the program's own windows closes,
    // not on every focus change of the desktop.
    void form_activate();
    // Shows one of the program's own windows modally, then activates the main window again.
    int run_own_window(QDialog& dialog);

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void build();
    void apply_view(bool log_view);
    void search(const std::string& query, bool match_case);
    void report(app::ReportItem item);
    void mset_click();
    void mtls_click(int index);
    void export_table();

    platform::Platform& platform_;
    app::Session session_;
    QWidget* surface_ = nullptr;
    FrameBar* frame_bar_ = nullptr;
    LogView* log_view_ = nullptr;
    LiveView* live_view_ = nullptr;
    QFrame* frame5_ = nullptr;
    QListWidget* list3_ = nullptr;
    QHBoxLayout* body_ = nullptr;
};

}  // namespace ui

#pragma once
// The main window F1: renders the session and forwards user actions to the app layer.

#include <QMainWindow>
#include <vector>

#include "app/session.hpp"
#include "app/suggestion_click.hpp"
#include "common/message.hpp"
#include "platform/platform.hpp"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QScrollBar;

namespace ui {

class PictureButton;
class SpawnTableWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(platform::Platform& platform, std::string program_folder, bool comma_decimal,
               QWidget* parent = nullptr);

    [[nodiscard]] app::Session& session() { return session_; }
    [[nodiscard]] SpawnTableWidget* table_widget() const { return table_; }

    // Form_Activate: relists the log files; the first one also runs the administrator check.
    void form_activate();
    // Large-change step of v1 as the parse set it (a trough click moves by it).
    [[nodiscard]] std::int64_t v1_large_change() const { return v1_large_change_; }

  protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void build_controls();
    void build_menus();
    void style_all_buttons();

    void f_refresh(const std::string& folder);
    void render_log_list();
    void list4_click(int row);
    void list4_mouse_down(const QPoint& pos);
    void command4_click(int index);
    void command2_click();
    void logs_mouse_up(int index);
    void apply_view();
    void chk_logs();
    void command1_click();
    void v1_change(int value);
    void v1_action(int action);
    void cell_pressed(int row, int column, Qt::MouseButton button, QPoint global_pos);
    void cell_clicked(int row, int column);
    void mcop_click();
    void list1_mouse_down();
    void apply_suggestion_click(const app::SuggestionClick& click);

    void render_after_parse();
    void render_table();
    void render_failed_label();
    void show_messages(const std::vector<common::Message>& messages);
    void sync_texts_to_session();
    void report_write_failure(const std::vector<common::FileError>& errors);

    platform::Platform& platform_;
    app::Session session_;
    bool relisting_ = false;
    std::int64_t v1_large_change_ = 1;

    // Controls, named as the window has always named them.
    QLineEdit* text1_ = nullptr;
    PictureButton* command2_ = nullptr;
    QListWidget* list4_ = nullptr;
    PictureButton* command4_[3] = {nullptr, nullptr, nullptr};
    QCheckBox* logs_[2] = {nullptr, nullptr};
    QLabel* label10_3_ = nullptr;
    QLabel* label9_ = nullptr;
    PictureButton* command1_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QCheckBox* check5_ = nullptr;
    QFrame* frame2_ = nullptr;
    QFrame* frame3_ = nullptr;
    QFrame* frame5_ = nullptr;
    SpawnTableWidget* table_ = nullptr;
    QScrollBar* v1_ = nullptr;
    QListWidget* list1_[2] = {nullptr, nullptr};
    QLineEdit* text4_[2] = {nullptr, nullptr};
    QListWidget* list3_ = nullptr;
    QMenu* mpop_ = nullptr;
    QWidget* surface_ = nullptr;
};

}  // namespace ui

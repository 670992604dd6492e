#pragma once
// The log view: the log list with "Update" and "Refresh List", the paged spawn table with its
// scroll bar and its hit steps, the suggestion boxes with "Add to Config", and the "Failed:" count.
// It renders the session's log-view state and forwards the user's actions to the app layer.

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "app/session.hpp"
#include "app/suggestion_click.hpp"
#include "platform/platform.hpp"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QScrollBar;

namespace ui {

class FollowWatcher;
class HitBar;
class PictureButton;
class SpawnTableWidget;

class LogView : public QWidget {
    Q_OBJECT
  public:
    LogView(platform::Platform& platform, app::Session& session, QWidget* parent = nullptr);

    // The folder box's text, read by "Refresh List".
    void set_folder_box(std::function<std::string()> folder_box) {
        folder_box_ = std::move(folder_box);
    }

    // f_refresh: relists the folder; the chosen log stays chosen, nothing is parsed.
    void f_refresh(const std::string& folder);
    // Shows the session's log list again (after the folder was adopted elsewhere).
    void render_log_list();
    // Chooses the List4 entry at row and parses it, as a click on it does (also when it is the
    // chosen one already, as "Update" does).
    void choose(int row) { list4_click(row); }
    // Selects the List1(0) row and acts on it as a click on it does.
    void select_suggestion(int row);
    // The Search button in the log view.
    void search(const std::string& query, bool match_case);
    // Shows the table's hits again after something outside the view changed them.
    void render_hits();
    // Mouse moved over the frame's own surface: the buttons outside Frame2 rest.
    void rest_outer_buttons();

    // One look at the followed folder and log (the watcher calls it; tests too).
    void follow_tick();

    [[nodiscard]] SpawnTableWidget* table_widget() const { return table_; }
    [[nodiscard]] QWidget* failed_label() const;
    [[nodiscard]] QFrame* frame2() const { return frame2_; }

  signals:
    // A parse began, or the user said Yes to "Add to Config": the models list is emptied.
    void modelsListOutdated();
    // The records changed: a parse, or records read on from a followed log.
    void recordsChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void build();
    void list4_click(int row);
    void list4_mouse_down(const QPoint& pos);
    void command4_click(int index);
    void v1_change(int value);
    void v1_action(int action);
    void scroll_by(std::int64_t rows);
    [[nodiscard]] std::int64_t last_full_page() const;
    void cell_pressed(int row, int column, Qt::MouseButton button, QPoint global_pos);
    void cell_clicked(int row, int column);
    void mcop_click();
    void list1_mouse_down();
    void apply_suggestion_click(const app::SuggestionClick& click);
    void render_after_parse();
    void follow_toggled(bool on);
    void render_growth();
    void render_suggestions();
    void watch_followed();
    void render_failed_label();
    void move_thumb_to_top_row();
    void step_hit(bool next);

    platform::Platform& platform_;
    app::Session& session_;
    std::function<std::string()> folder_box_;
    std::int64_t v1_large_change_ = 1;

    QLabel* label10_3_ = nullptr;
    QLabel* label9_ = nullptr;
    QListWidget* list4_ = nullptr;
    PictureButton* command4_[3] = {nullptr, nullptr, nullptr};
    QFrame* frame2_ = nullptr;
    SpawnTableWidget* table_ = nullptr;
    QScrollBar* v1_ = nullptr;
    HitBar* hit_bar_ = nullptr;
    QListWidget* list1_[2] = {nullptr, nullptr};
    QLineEdit* text4_[2] = {nullptr, nullptr};
    QMenu* mpop_ = nullptr;
    QCheckBox* follow_ = nullptr;
    FollowWatcher* watcher_ = nullptr;
    bool in_follow_tick_ = false;
};

}  // namespace ui

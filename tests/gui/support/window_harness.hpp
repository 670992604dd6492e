#pragma once
// Drives the real main window against the scripted platform: a program folder and a logs folder
// of its own per test, hand-written add-on logs, and the few gestures the GUI tests repeat.

#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fake_platform.hpp"
#include "logs/spawn_table.hpp"
#include "ui/main_window.hpp"

class QListWidget;
class QWidget;

namespace gui_support {

// One "Model matching" group as the add-on writes it.
struct Spawn {
    std::string clock;     // "14:03:27": the Time cell shows "14:03"
    std::string name;      // model name of the "Model matching" line
    std::string type;      // type code of the "matched" line
    std::string airline;   // ICAO code
    std::string spawned;   // the model the add-on spawned
    std::string ref;       // "Spawned aircraft <ref> lat: ..."
    std::string callsign;  // "Setting callsign for <callsign>"
    bool failed = false;   // a "Failed to model match" warning before the matched line
};

std::string spawn_group(const Spawn& s);
// A log made of the groups in order (oldest first), after a line that belongs to no group.
std::string log_text(const std::vector<Spawn>& spawns);
// n groups a minute apart, oldest first, with the references "REF001", "REF002", ...
std::vector<Spawn> numbered_spawns(int n);
std::string numbered_ref(int i);

// The three groups most tests use: a Ryanair spawn, a Lufthansa spawn that fell back to a
// default model, and a British Airways spawn, in that order in the log.
std::vector<Spawn> three_spawns();

bool write_bytes(const std::string& path, std::string_view bytes);
std::string read_bytes(const std::string& path);

// Pixels of an image inside rect for which pred holds.
int count_pixels(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& pred);
bool is_reddish(QColor c);
bool is_darkish(QColor c);

class Harness {
  public:
    Harness();
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    [[nodiscard]] bool valid() const { return program_.isValid() && root_.isValid(); }
    [[nodiscard]] const std::string& program_folder() const { return program_folder_; }
    // A scratch folder outside the program folder; the logs folder is "<root>/logs".
    [[nodiscard]] const std::string& root() const { return root_folder_; }
    [[nodiscard]] const std::string& logs_folder() const { return logs_folder_; }
    [[nodiscard]] std::string in_logs(std::string_view file_name) const;
    [[nodiscard]] std::string in_program(std::string_view relative) const;

    // Constructs the window on the program folder and shows it (the first activation).
    ui::MainWindow& open();
    // Constructs it without showing it: start-up only, no activation yet.
    ui::MainWindow& construct();
    void show();
    // Closes the window as the close box does and destroys it.
    void close();
    [[nodiscard]] ui::MainWindow& window() const { return *window_; }

    // A named control; a missing one is a broken window, so it ends the run.
    template <class T>
    T* child(const char* name) const {
        T* w = window_->findChild<T*>(QString::fromLatin1(name));
        if (w == nullptr) missing(name);
        return w;
    }

    // ">>" with the picker answering folder ("" cancels).
    void choose_folder_with_picker(const std::string& folder);
    // Clicks a "Logs" / "Live Airports" toggle.
    void click_toggle(const char* name);
    void show_logs_view();
    void click_button(const char* name);
    void click_log(int row);
    void right_click_log(int row);
    QStringList log_labels() const;

    // Spawn table cells (row 0 is the header).
    [[nodiscard]] const logs::Cell& cell(int row, int column) const;
    [[nodiscard]] QRect cell_rect(int row, int column) const;
    void press_cell(int row, int column, Qt::MouseButton button);
    void click_cell(int row, int column);
    // A cell's caption without search marks, as the cell shows it.
    [[nodiscard]] std::string shown(int row, int column) const;
    [[nodiscard]] QImage grab_table() const;

    // The texts of the messages shown so far.
    [[nodiscard]] std::vector<std::string> message_texts() const;

    testing_support::FakePlatform fake;

  private:
    [[noreturn]] static void missing(const char* name);
    // Right button through the window, so that the press also raises the context-menu event
    // exactly as a real press does.
    void right_click_at(QWidget* widget, QPoint pos);

    QTemporaryDir program_;
    QTemporaryDir root_;
    std::string program_folder_;
    std::string root_folder_;
    std::string logs_folder_;
    std::unique_ptr<ui::MainWindow> window_;
};

}  // namespace gui_support

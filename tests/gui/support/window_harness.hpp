#pragma once
// Drives the real main window against the scripted platform: a program folder and a logs folder
// of its own per test, hand-written add-on logs, and the gestures the GUI tests repeat.

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "fake_platform.hpp"
#include "logs/spawn_table.hpp"
#include "ui/main_window.hpp"
#include "ui/picture_button.hpp"
#include "ui/spawn_table_widget.hpp"

namespace gui_support {

inline QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// One "Model matching" group as the add-on writes it; the Time cell shows the clock's minutes.
struct Spawn {
    std::string clock, name, type, airline, spawned, ref, callsign;
    bool failed = false;  // a "Failed to model match" warning before the matched line
};

// A log made of the groups in order (oldest first), after a line that belongs to no group.
inline std::string log_text(const std::vector<Spawn>& spawns) {
    std::string text = "2024-05-13 09:59:59.000 +01:00 [INF] Connected to the simulator\r\n";
    for (const Spawn& s : spawns) {
        const std::string stamp = "2024-05-13 " + s.clock + ".123 +01:00 ";
        // The "Got data" line carries the group's first "[INF]", which gives the time.
        text += stamp + "[INF] Model matching: " + s.name + " with airline: " + s.airline + "\r\n";
        text += stamp + "[INF] Got data for " + s.callsign + ": " + s.type +
                " EDDF-EGLL alt 3000 ft\r\n";
        if (s.failed)
            text += stamp + "[WRN] Failed to model match " + s.type + " " + s.airline + "\r\n";
        text += stamp + "[INF] Best matched model: " + s.type + " with: x airline: " + s.airline +
                ", " + s.spawned + "\r\n";
        text += stamp + "[INF] Spawned aircraft " + s.ref + " lat: 51.47 lon: -0.45\r\n";
        text += stamp + "[INF] Setting callsign for " + s.callsign + "\r\n";
    }
    return text;
}

inline QString numbered_ref(int i) {
    return QStringLiteral("REF%1").arg(i, 3, 10, QLatin1Char('0'));
}

// A log of n groups a minute apart, oldest first, with the references "REF001", "REF002", ...
inline std::string numbered_log(int n) {
    std::vector<Spawn> spawns;
    for (int i = 1; i <= n; ++i) {
        const std::string clock = std::to_string(10 + i / 60) + (i % 60 < 10 ? ":0" : ":") +
                                  std::to_string(i % 60) + ":00";
        spawns.push_back({clock, "Boeing 737-800", "B738", "RYR", "Boeing 737-800 Ryanair",
                          numbered_ref(i).toStdString(), "RYR" + std::to_string(i)});
    }
    return log_text(spawns);
}

// A Ryanair spawn, a Lufthansa spawn that fell back to a default model (its group has a
// failure), and a British Airways spawn, in that order in the log.
inline std::vector<Spawn> three_spawns() {
    return {
        {"14:03:27", "Boeing 737-800", "B738", "RYR", "Boeing 737-800 Ryanair", "4CA7B1", "RYR12"},
        {"14:05:10", "Airbus A320neo", "A20N", "DLH", "Airbus A320 Neo", "3C6DD2", "DLH9", true},
        {"14:07:45", "Boeing 777-300ER", "B77W", "BAW", "Boeing 777-300ER British", "400A1B",
         "BAW15"}};
}

// Pixels of an image inside rect for which pred holds.
inline int count_pixels(const QImage& image, const QRect& rect, bool (*pred)(QColor)) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) n += pred(image.pixelColor(x, y)) ? 1 : 0;
    }
    return n;
}
inline bool is_reddish(QColor c) {
    return c.red() >= 180 && c.green() <= 90 && c.blue() <= 90;
}
inline bool is_darkish(QColor c) {
    return c.red() <= 90 && c.green() <= 90 && c.blue() <= 90;
}

class Harness {
  public:
    testing_support::FakePlatform fake;

    Harness() {
        if (!program_.isValid() || !root_.isValid() || !common::create_folder(logs_folder_)) {
            abort_run("cannot make the temporary folders");
        }
    }
    // A scratch folder outside the program folder; the logs folder is "<root>/logs".
    [[nodiscard]] const std::string& root() const { return root_folder_; }
    [[nodiscard]] const std::string& program_folder() const { return program_folder_; }
    [[nodiscard]] const std::string& logs_folder() const { return logs_folder_; }
    [[nodiscard]] std::string in_logs(std::string_view name) const {
        return common::join_path(logs_folder_, name);
    }
    [[nodiscard]] ui::MainWindow& window() const { return *window_; }

    // Constructs the window on the program folder and shows it (the first activation).
    ui::MainWindow& open() {
        window_ = std::make_unique<ui::MainWindow>(fake, program_folder_, false);
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get())) abort_run("the window was never exposed");
        return *window_;
    }
    // Writes the logs, opens the window, picks the logs folder and shows the Logs view.
    void open_on_logs(const std::vector<std::pair<std::string, std::string>>& logs) {
        for (const auto& [name, text] : logs) {
            QVERIFY(common::write_file_atomic(in_logs(name), text));
        }
        open();
        choose_folder_with_picker(logs_folder_);
        if (!child<QCheckBox>("logs0")->isChecked()) click_toggle("logs0");
        QCOMPARE(log_labels().size(), static_cast<qsizetype>(logs.size()));
    }
    // Closes the window as the close box does and destroys it.
    void close() {
        window_->close();
        window_.reset();
    }

    // A named control; a missing one is a broken window, so it ends the run.
    template <class T>
    T* child(const char* name) const {
        T* w = window_->findChild<T*>(QString::fromLatin1(name));
        if (w == nullptr) abort_run("the main window has no control named ", name);
        return w;
    }

    // ">>" with the picker answering folder ("" cancels).
    void choose_folder_with_picker(const std::string& folder) {
        fake.folder_choices.push_back(folder);
        click_button("command2");
    }
    void click_toggle(const char* name) { left_click(child<QCheckBox>(name)); }
    void click_button(const char* name) { left_click(child<ui::PictureButton>(name)); }
    void click_log(int row, Qt::MouseButton button = Qt::LeftButton) {
        auto* list = child<QListWidget>("List4");
        const QPoint p = list->visualItemRect(list->item(row)).center();
        button == Qt::RightButton ? right_click(list->viewport(), p)
                                  : left_click(list->viewport(), p);
    }
    [[nodiscard]] QStringList log_labels() const {
        auto* list = child<QListWidget>("List4");
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }

    // Spawn table cells (row 0 is the header).
    [[nodiscard]] QRect cell_rect(int row, int column) const {
        return window_->table_widget()->cell_rect(row, column);
    }
    void click_cell(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint p = cell_rect(row, column).center();
        auto* table = window_->table_widget();
        button == Qt::RightButton ? right_click(table, p) : left_click(table, p);
    }
    // A cell's caption without search marks, as the cell shows it.
    [[nodiscard]] QString shown(int row, int column) const {
        return q(logs::visible_caption(window_->session().logs.table.cell(row, column).caption));
    }
    [[nodiscard]] QImage grab_table() const {
        return window_->table_widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

  private:
    [[noreturn]] static void abort_run(const char* what, const char* name = "") {
        std::fprintf(stderr, "%s%s\n", what, name);
        std::abort();
    }
    static void left_click(QWidget* w, QPoint pos = {}) {
        QTest::mouseClick(w, Qt::LeftButton, {}, pos.isNull() ? w->rect().center() : pos);
    }
    // Through the window, so that the press also raises the context-menu event as a real one does.
    void right_click(QWidget* widget, QPoint pos) {
        const QPoint in_window = widget->mapTo(window_.get(), pos);
        QTest::mousePress(window_->windowHandle(), Qt::RightButton, {}, in_window);
        QTest::mouseRelease(window_->windowHandle(), Qt::RightButton, {}, in_window);
    }

    QTemporaryDir program_;
    QTemporaryDir root_;
    std::string program_folder_ = QDir::toNativeSeparators(program_.path()).toStdString();
    std::string root_folder_ = QDir::toNativeSeparators(root_.path()).toStdString();
    std::string logs_folder_ = common::join_path(root_folder_, "logs");
    std::unique_ptr<ui::MainWindow> window_;
};

}  // namespace gui_support

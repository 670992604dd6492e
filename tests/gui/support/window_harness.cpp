#include "window_harness.hpp"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "ui/picture_button.hpp"
#include "ui/spawn_table_widget.hpp"

namespace gui_support {

std::string spawn_group(const Spawn& s) {
    const std::string stamp = "2024-05-13 " + s.clock + ".123 +01:00 ";
    // The "Got data" line carries the group's first "[INF]", which gives the time.
    std::string g =
        stamp + "[INF] Model matching: " + s.name + " with airline: " + s.airline + "\r\n";
    g += stamp + "[INF] Got data for " + s.callsign + ": " + s.type + " EDDF-EGLL alt 3000 ft\r\n";
    if (s.failed) g += stamp + "[WRN] Failed to model match " + s.type + " " + s.airline + "\r\n";
    g += stamp + "[INF] Best matched model: " + s.type + " with: x airline: " + s.airline + ", " +
         s.spawned + "\r\n";
    g += stamp + "[INF] Spawned aircraft " + s.ref + " lat: 51.47 lon: -0.45\r\n";
    g += stamp + "[INF] Setting callsign for " + s.callsign + "\r\n";
    return g;
}

std::string log_text(const std::vector<Spawn>& spawns) {
    std::string text = "2024-05-13 09:59:59.000 +01:00 [INF] Connected to the simulator\r\n";
    for (const Spawn& s : spawns) text += spawn_group(s);
    return text;
}

std::string numbered_ref(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "REF%03d", i);
    return buf;
}

std::vector<Spawn> numbered_spawns(int n) {
    std::vector<Spawn> out;
    for (int i = 1; i <= n; ++i) {
        char clock[16];
        std::snprintf(clock, sizeof clock, "%02d:%02d:00", 10 + i / 60, i % 60);
        out.push_back({clock, "Boeing 737-800", "B738", "RYR", "Boeing 737-800 Ryanair",
                       numbered_ref(i), "RYR" + std::to_string(i), false});
    }
    return out;
}

std::vector<Spawn> three_spawns() {
    return {
        {"14:03:27", "Boeing 737-800", "B738", "RYR", "Boeing 737-800 Ryanair", "4CA7B1", "RYR12",
         false},
        {"14:05:10", "Airbus A320neo", "A20N", "DLH", "Airbus A320 Neo", "3C6DD2", "DLH9", true},
        {"14:07:45", "Boeing 777-300ER", "B77W", "BAW", "Boeing 777-300ER British", "400A1B",
         "BAW15", false},
    };
}

bool write_bytes(const std::string& path, std::string_view bytes) {
    return common::write_file_atomic(path, bytes);
}

std::string read_bytes(const std::string& path) {
    return common::read_file(path);
}

int count_pixels(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& pred) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (pred(image.pixelColor(x, y))) ++n;
        }
    }
    return n;
}

bool is_reddish(QColor c) {
    return c.red() >= 180 && c.green() <= 90 && c.blue() <= 90;
}

bool is_darkish(QColor c) {
    return c.red() <= 90 && c.green() <= 90 && c.blue() <= 90;
}

Harness::Harness() {
    program_folder_ = QDir::toNativeSeparators(program_.path()).toStdString();
    root_folder_ = QDir::toNativeSeparators(root_.path()).toStdString();
    logs_folder_ = common::join_path(root_folder_, "logs");
    common::create_folder(logs_folder_);
}

Harness::~Harness() = default;

std::string Harness::in_logs(std::string_view file_name) const {
    return common::join_path(logs_folder_, file_name);
}

std::string Harness::in_program(std::string_view relative) const {
    return common::join_path(program_folder_, relative);
}

ui::MainWindow& Harness::construct() {
    window_ = std::make_unique<ui::MainWindow>(fake, program_folder_, false);
    return *window_;
}

void Harness::show() {
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) {
        std::fprintf(stderr, "the main window was never exposed\n");
    }
}

ui::MainWindow& Harness::open() {
    construct();
    show();
    return *window_;
}

void Harness::close() {
    if (!window_) return;
    window_->close();
    window_.reset();
}

void Harness::missing(const char* name) {
    std::fprintf(stderr, "the main window has no control named %s\n", name);
    std::abort();
}

void Harness::choose_folder_with_picker(const std::string& folder) {
    fake.folder_choices.push_back(folder);
    click_button("command2");
}

void Harness::click_toggle(const char* name) {
    auto* box = child<QCheckBox>(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
}

void Harness::show_logs_view() {
    if (!child<QCheckBox>("logs0")->isChecked()) click_toggle("logs0");
}

void Harness::click_button(const char* name) {
    auto* button = child<ui::PictureButton>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void Harness::click_log(int row) {
    auto* list = child<QListWidget>("List4");
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

void Harness::right_click_log(int row) {
    auto* list = child<QListWidget>("List4");
    right_click_at(list->viewport(), list->visualItemRect(list->item(row)).center());
}

QStringList Harness::log_labels() const {
    auto* list = child<QListWidget>("List4");
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

void Harness::right_click_at(QWidget* widget, QPoint pos) {
    QWindow* handle = window_->windowHandle();
    const QPoint in_window = widget->mapTo(window_.get(), pos);
    QTest::mousePress(handle, Qt::RightButton, {}, in_window);
    QTest::mouseRelease(handle, Qt::RightButton, {}, in_window);
}

const logs::Cell& Harness::cell(int row, int column) const {
    return window_->session().table.cell(row, column);
}

QRect Harness::cell_rect(int row, int column) const {
    return window_->table_widget()->cell_rect(row, column);
}

void Harness::press_cell(int row, int column, Qt::MouseButton button) {
    ui::SpawnTableWidget* table = window_->table_widget();
    const QPoint p = table->cell_rect(row, column).center();
    if (button == Qt::RightButton) {
        right_click_at(table, p);
    } else {
        QTest::mousePress(table, button, {}, p);
        QTest::mouseRelease(table, button, {}, p);
    }
}

void Harness::click_cell(int row, int column) {
    press_cell(row, column, Qt::LeftButton);
}

std::string Harness::shown(int row, int column) const {
    return logs::visible_caption(cell(row, column).caption);
}

QImage Harness::grab_table() const {
    return window_->table_widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

std::vector<std::string> Harness::message_texts() const {
    std::vector<std::string> out;
    for (const auto& m : fake.messages) out.push_back(m.text);
    return out;
}

}  // namespace gui_support

#pragma once
// The live traffic beside the airport list: the flight list List8 above the traffic picture p1
// (a splitter between them) and the option strip Frame6 with "Timer" and "Airline". It runs the
// fetch without blocking the window, applies answers in the order they were asked for, plots
// them, keeps the selection of list and picture together and drives the refresh timer.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/session.hpp"
#include "platform/platform.hpp"
#include "platform/qt_http/map_server.hpp"

class QCheckBox;
class QLineEdit;
class QSplitter;
class QTimer;

namespace ui {

class FlightList;
class TrafficPictureWidget;

class LiveTrafficView : public QWidget {
    Q_OBJECT
  public:
    LiveTrafficView(platform::Platform& platform, app::Session& session, QWidget* parent = nullptr);

    // get_live for a coordinates item; search_after: run the flight search once it is in.
    void get_live(const std::string& coords, bool search_after = false, bool by_timer = false);
    // The selected airport again, with a new extent (double click, menus).
    void refresh_selected();
    // An airport was removed: the list and the picture are emptied.
    void clear_traffic();
    // Search / Enter in the live view, and a key typed into the search box.
    void search(const std::string& query, bool match_case);
    void search_text_typed();
    // The timer tick, as tim0 runs it (tests call it directly).
    void tim0_timer();

    // The steady clock (milliseconds) the quiet period between failure messages is measured
    // on; tests run a simulated day on their own.
    void set_clock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }
    // The "Match Case" box the search after a choice reads.
    void set_match_case(std::function<bool()> match_case) { match_case_ = std::move(match_case); }

    [[nodiscard]] FlightList* flight_list() const { return list8_; }
    [[nodiscard]] TrafficPictureWidget* picture() const { return p1_; }
    [[nodiscard]] QTimer* timer() const { return tim0_; }

  signals:
    // The types of the last answer, for "Models Found".
    void typesFound(const QStringList& types);

  private:
    void answer_in(const app::PendingFetch& fetch, const platform::HttpResult& answer);
    void render_rows();
    void plot(bool relayout_only);
    void select_icon(int k);
    void list8_mouse_down(int row);
    // Selects flight k: the marker over icon k (placed as an icon click places it, or at the
    // icon's corner for a row press).
    void show_marker(int k, bool icon_clicked);
    void list8_double_click();
    void check2_mouse_up();
    void show(const std::string& text);
    // plot_planesOSM: the map script (and page when due) written, the page opened when recentred.
    void map_update();
    // "Openstreetmap" or "Airline" released: a recentred map with the new labels.
    void map_box_released();
    void sync_map_recenter();

    platform::Platform& platform_;
    app::Session& session_;
    QSplitter* splitter_ = nullptr;
    FlightList* list8_ = nullptr;
    TrafficPictureWidget* p1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QCheckBox* check6_ = nullptr;
    QCheckBox* osm_ = nullptr;
    QLineEdit* text2_ = nullptr;
    platform::MapServer map_server_;
    QTimer* tim0_ = nullptr;
    std::optional<std::string> search_after_;
    std::function<bool()> match_case_;  // the query to run once the answer is in
    std::function<std::int64_t()> clock_;
    // A message of this view is on screen: a tick in its event loop adds no second one.
    bool showing_message_ = false;
};

}  // namespace ui

#include "ui/live_traffic_view.hpp"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "app/map_update.hpp"
#include "live/feed_request.hpp"
#include "logs/spawn_table.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/flight_list.hpp"
#include "ui/traffic_picture_widget.hpp"

namespace ui {

LiveTrafficView::LiveTrafficView(platform::Platform& platform, app::Session& session,
                                 QWidget* parent)
    : QWidget(parent), platform_(platform), session_(session) {
    setObjectName(QStringLiteral("LiveTraffic"));
    list8_ = new FlightList(this);
    p1_ = new TrafficPictureWidget(
        [layout = session_.frame.layout](int direction) { return layout.icon_file(direction); },
        this);

    // Frame6: the options under the picture.
    auto* frame6 = new QWidget(this);
    frame6->setObjectName(QStringLiteral("Frame6"));
    check2_ = new QCheckBox(QStringLiteral("Timer"), frame6);
    check2_->setObjectName(QStringLiteral("Check2"));
    check2_->setToolTip(QStringLiteral("5 Seconds Timer "));
    check6_ = new QCheckBox(QStringLiteral("Airline"), frame6);
    check6_->setObjectName(QStringLiteral("Check6"));
    osm_ = new QCheckBox(QStringLiteral("Openstreetmap"), frame6);
    osm_->setObjectName(QStringLiteral("osm"));
    text2_ = new QLineEdit(platform::to_display(session_.live.text2), frame6);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setFixedWidth(40);
    text2_->setToolTip(QStringLiteral("Map zoom (6 to 15)"));
    auto* options = new QHBoxLayout(frame6);
    options->setContentsMargins(0, 0, 0, 0);
    options->addWidget(check2_);
    options->addWidget(check6_);
    options->addSpacing(20);
    options->addWidget(osm_);
    options->addWidget(text2_);
    options->addStretch(1);

    auto* lower = new QWidget(this);
    auto* lower_layout = new QVBoxLayout(lower);
    lower_layout->setContentsMargins(0, 0, 0, 0);
    lower_layout->addWidget(p1_, 1);
    lower_layout->addWidget(frame6);

    // updown: dragging it moves the border between the list and the picture.
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("updown"));
    splitter_->setOpaqueResize(false);  // one re-plot when released, not one per move
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(list8_);
    splitter_->addWidget(lower);
    splitter_->setStretchFactor(1, 1);
    if (session_.live.list8_height) {
        const int h = static_cast<int>(*session_.live.list8_height / 15);
        splitter_->setSizes({h, 400});
    } else {
        splitter_->setSizes({180, 400});
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(splitter_);

    clock_ = [started = QElapsedTimer()]() mutable -> std::int64_t {
        if (!started.isValid()) started.start();
        return started.elapsed();
    };
    tim0_ = new QTimer(this);
    tim0_->setObjectName(QStringLiteral("tim0"));
    tim0_->setInterval(live::kRefreshIntervalMs);

    connect(tim0_, &QTimer::timeout, this, &LiveTrafficView::tim0_timer);
    connect(check2_, &QCheckBox::clicked, this, &LiveTrafficView::check2_mouse_up);
    connect(check6_, &QCheckBox::clicked, this, &LiveTrafficView::map_box_released);
    connect(osm_, &QCheckBox::clicked, this, &LiveTrafficView::map_box_released);
    connect(text2_, &QLineEdit::textChanged, this,
            [this](const QString& t) { session_.live.text2 = platform::from_display(t); });
    connect(list8_, &FlightList::rowPressed, this, &LiveTrafficView::list8_mouse_down);
    connect(list8_, &QListWidget::itemDoubleClicked, this, &LiveTrafficView::list8_double_click);
    connect(p1_, &TrafficPictureWidget::iconPressed, this, &LiveTrafficView::select_icon);
    connect(p1_, &TrafficPictureWidget::doubleClicked, this, &LiveTrafficView::refresh_selected);
    connect(p1_, &TrafficPictureWidget::resized, this, [this] { plot(true); });
    connect(p1_, &TrafficPictureWidget::zoomClicked, this, [this](int i) {
        auto& zoom = session_.live_view.plot.picture_zoom;
        zoom = live::zoom_click(zoom, static_cast<live::ZoomButton>(i));
        plot(false);
    });
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        session_.live.list8_height = static_cast<std::int64_t>(list8_->height()) * 15;
        if (session_.airports.list.selected_airport() != nullptr) plot(false);
    });
}

void LiveTrafficView::show(const std::string& text) {
    // The timer goes on ticking inside a message box's event loop; on a failing link its
    // messages would pile up while the user is away.
    if (showing_message_) return;
    showing_message_ = true;
    platform_.message(text);
    showing_message_ = false;
}

void LiveTrafficView::get_live(const std::string& coords, bool search_after, bool by_timer) {
    app::FetchStart start = app::begin_fetch(session_, coords, by_timer);
    if (start.message) {
        show(*start.message);
        return;
    }
    search_after_.reset();
    if (search_after && !session_.frame.text3.empty()) search_after_ = session_.frame.text3;
    platform_.busy_on();
    const app::PendingFetch fetch = std::move(*start.fetch);
    QPointer<LiveTrafficView> self(this);
    // No User-Agent or other header of our own: the feed gets what the HTTP stack sends.
    platform_.http_get_async(fetch.url, {}, live::kFeedTimeoutMs,
                             [self, fetch](const platform::HttpResult& answer) {
                                 if (self) self->answer_in(fetch, answer);
                             });
}

void LiveTrafficView::answer_in(const app::PendingFetch& fetch,
                                const platform::HttpResult& answer) {
    const std::optional<app::LiveRefresh> refresh =
        app::answer_arrived(session_, fetch, answer, clock_());
    if (session_.live_view.fetches_in_flight == 0) platform_.busy_off();
    if (!refresh) return;  // an older answer than one already shown
    for (const std::string& m : refresh->messages) show(m);
    p1_->set_stale(refresh->stale && session_.live_view.has_traffic);
    if (!refresh->parse) return;  // the last good flights stay, marked stale
    render_rows();
    // Every parse hides the selection marker until the user selects again.
    p1_->set_marker_visible(false);
    QStringList types;
    for (const std::string& t : session_.live_view.last.types) types << platform::to_display(t);
    emit typesFound(types);
    plot(false);
    if (osm_->isChecked()) {
        // The next plot computes a fresh extent, which the next map update centres on.
        session_.live_view.plot.picture_dirty = -1;
        map_update();
    }
    if (search_after_) {
        const std::string query = *search_after_;
        search_after_.reset();
        search(query, match_case_ && match_case_());
    }
}

void LiveTrafficView::render_rows() {
    const live::ParseResult& r = session_.live_view.last;
    list8_->clear();
    list8_->addItem(platform::to_display(r.header));
    for (const std::string& row : r.rows) list8_->addItem(platform::to_display(row));
}

void LiveTrafficView::plot(bool relayout_only) {
    app::LiveViewState& v = session_.live_view;
    // A resize redraws only what is shown and has traffic.
    if (!v.has_traffic || (relayout_only && (v.last.traffic_text.empty() || !isVisible()))) return;
    const auto coords = app::selected_coords(session_);
    const auto airport = coords ? live::parse_coordinates(*coords) : std::nullopt;
    live::PlotInput input;
    input.traffic_text = v.last.traffic_text;
    input.width = p1_->width_twips();
    input.height = p1_->height_twips();
    input.airport_index = session_.airports.list.selected;
    if (airport) input.airport = *airport;
    input.defaults_list = session_.logs.log.parse.defaults_list;
    input.airline_labels = check6_->isChecked();
    input.selected_icon = v.selected_icon;
    input.timer_running = tim0_->isActive();
    input.relayout_only = relayout_only;
    // An answer can come in while a log parse lets events run: its guard must stay set.
    bool& busy = session_.logs.log.busy_flag;
    const bool parse_running = busy;
    busy = true;
    live::Picture picture = live::plot_planes(v.plot, input);
    busy = parse_running;
    v.extent_text = picture.extent_text;
    const std::optional<std::string> message = picture.message;
    p1_->set_picture(std::move(picture));
    if (message && !relayout_only) show(*message);
}

void LiveTrafficView::select_icon(int k) {
    show_marker(k, true);
    if (k < list8_->count()) list8_->setCurrentRow(k);
}

void LiveTrafficView::list8_mouse_down(int row) {
    if (row >= 1) show_marker(row, false);
}

void LiveTrafficView::show_marker(int k, bool icon_clicked) {
    session_.live_view.selected_icon = k;
    live::Picture picture = p1_->picture();
    for (const live::IconItem& icon : picture.icons) {
        if (icon.index != k) continue;
        picture.selection_marker = icon_clicked ? live::marker_for_icon_click(icon) : icon.top_left;
    }
    p1_->set_picture(std::move(picture));
    p1_->set_marker_visible(true);
}

void LiveTrafficView::list8_double_click() {
    const QListWidgetItem* item = list8_->currentItem();
    if (item == nullptr) return;
    const std::string row = platform::from_display(item->text());
    if (const auto flight = live::flight_to_look_up(row)) {
        platform_.open_url(logs::lookup_url(*flight));
    }
}

void LiveTrafficView::refresh_selected() {
    const auto coords = app::selected_coords(session_);
    if (!coords) return;
    session_.live_view.plot.picture_dirty = -1;
    get_live(*coords);
}

void LiveTrafficView::clear_traffic() {
    list8_->clear();
    session_.live_view.last = {};
    session_.live_view.has_traffic = false;
    p1_->clear_picture();
}

void LiveTrafficView::search(const std::string& query, bool match_case) {
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(list8_->count()));
    for (int i = 0; i < list8_->count(); ++i) {
        rows.push_back(platform::from_display(list8_->item(i)->text()));
    }
    const live::SearchOutcome out =
        live::search_live(session_.live_view.search, rows, query, match_case);
    if (out.effect == live::SearchEffect::Select) {
        list8_->setCurrentRow(out.row);
        list8_->scrollToItem(list8_->currentItem());
    } else if (out.effect == live::SearchEffect::ClearSelection) {
        list8_->clearSelection();
        list8_->setCurrentRow(-1);
    }
}

void LiveTrafficView::search_text_typed() {
    session_.live_view.search.key_typed();
    list8_->clearSelection();
    list8_->setCurrentRow(-1);
}

void LiveTrafficView::check2_mouse_up() {
    const live::TimerBoxResult r = live::timer_box_released(
        session_.live_view.timer, check2_->isChecked(),
        session_.airports.list.selected_airport() != nullptr, osm_->isChecked());
    sync_map_recenter();
    if (r.message) show(*r.message);
    if (r.untick) check2_->setChecked(false);
    if (session_.live_view.timer.running) {
        tim0_->start();
    } else {
        tim0_->stop();
    }
    // Stopped with the map shown: the page is written again without its refresh line.
    if (r.map_update) map_update();
}

void LiveTrafficView::sync_map_recenter() {
    live::RefreshTimer& timer = session_.live_view.timer;
    if (timer.map_recenter) session_.live_view.map.map_recenter = true;
    timer.map_recenter = false;
}

void LiveTrafficView::map_box_released() {
    app::LiveViewState& v = session_.live_view;
    const bool map_shown = osm_->isChecked() && app::selected_coords(session_).has_value();
    if (map_shown) {
        v.map.map_recenter = true;
        v.plot.picture_dirty = -1;
    }
    // The full plot shows the label style and, after picture_dirty, gives the map its extent.
    plot(false);
    if (!map_shown) return;
    map_update();
    // As after every map update, the next plot computes the extent the next update centres on.
    v.plot.picture_dirty = -1;
}

void LiveTrafficView::map_update() {
    app::LiveViewState& v = session_.live_view;
    mappage::MapInput input;
    input.extent_text = v.extent_text;
    input.zoom_text = session_.live.text2;
    input.traffic_text = v.last.traffic_text;
    input.routes = &session_.airports.tables.routes;
    input.airline_labels = check6_->isChecked();
    input.timer_running = tim0_->isActive();
    const app::MapWrite w = app::map_update(v.map, input, session_.frame.layout);
    platform_.busy_off();
    if (!w.update) return;
    text2_->setText(platform::to_display(w.update->files.zoom.text2));
    std::vector<common::FileError> errors;
    if (w.files.status.error) errors.push_back(*w.files.status.error);
    if (w.update->open_page) {
        // Served over loopback, so the tile server gets the page's address as Referer; opened
        // from the file only when no server could start.
        const std::string page = session_.frame.layout.map_page_file();
        const bool opened = map_server_.start(session_.frame.layout.system_folder())
                                ? platform_.open_url(map_server_.page_url("mm.htm"))
                                : platform_.open_file(page, session_.frame.layout.root());
        if (!opened) errors.push_back({page, "the web browser could not be started"});
    }
    if (!errors.empty() && !v.map_error_shown) {
        v.map_error_shown = true;
        app::report_write_failures(session_, platform_, errors);
    }
}

void LiveTrafficView::tim0_timer() {
    app::LiveViewState& v = session_.live_view;
    const auto coords = app::selected_coords(session_);
    // A tick while a parse or a fetch is under way is skipped, not queued.
    const bool busy = session_.logs.log.busy_flag || v.fetches_in_flight > 0;
    const live::TickResult r =
        live::timer_tick(v.timer, coords.has_value(), busy, coords.value_or(std::string()));
    switch (r.action) {
        case live::TickAction::Skip:
            return;
        case live::TickAction::Fetch:
            get_live(*coords, false, true);
            return;
        case live::TickAction::MissingData:
            if (r.message) show(*r.message);
            platform_.busy_off();
            tim0_->stop();
            check2_->setChecked(false);
            return;
    }
}

}  // namespace ui

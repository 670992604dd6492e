#include "ui/live_view.hpp"

#include <QHBoxLayout>

#include "platform/qt/qt_platform.hpp"
#include "ui/airport_pane.hpp"
#include "ui/live_traffic_view.hpp"

namespace ui {

LiveView::LiveView(platform::Platform& platform, app::Session& session,
                   std::function<int(QDialog&)> run_dialog, QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("Frame3"));
    setFrameShape(QFrame::StyledPanel);
    airports_ = new AirportPane(platform, session, std::move(run_dialog), this);
    traffic_ = new LiveTrafficView(platform, session, this);
    auto* row = new QHBoxLayout(this);
    row->addWidget(airports_);
    row->addWidget(traffic_, 1);
    // The editor's left edge lines up with the flight list's.
    airports_->set_editor_left([this] { return traffic_->mapToGlobal(QPoint(0, 0)).x(); });
    connect(airports_, &AirportPane::airportChosen, traffic_, [this](const QString& coords) {
        traffic_->get_live(platform::from_display(coords), true);
    });
    connect(airports_, &AirportPane::trafficCleared, traffic_, &LiveTrafficView::clear_traffic);
}

}  // namespace ui

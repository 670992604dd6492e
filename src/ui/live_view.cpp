#include "ui/live_view.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/airport_pane.hpp"

namespace ui {

LiveView::LiveView(platform::Platform& platform, app::Session& session,
                   std::function<int(QDialog&)> run_dialog, QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("Frame3"));
    setFrameShape(QFrame::StyledPanel);
    airports_ = new AirportPane(platform, session, std::move(run_dialog), this);
    traffic_area_ = new QWidget(this);
    traffic_area_->setObjectName(QStringLiteral("traffic_area"));
    new QVBoxLayout(traffic_area_);
    auto* row = new QHBoxLayout(this);
    row->addWidget(airports_);
    row->addWidget(traffic_area_, 1);
    // The editor's left edge lines up with the flight list's.
    airports_->set_editor_left([this] { return traffic_area_->mapToGlobal(QPoint(0, 0)).x(); });
}

}  // namespace ui

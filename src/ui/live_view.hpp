#pragma once
// The live view Frame3: the airport list on the left and, to its right, the area of the flight
// list and the traffic picture.

#include <QFrame>
#include <functional>

#include "app/session.hpp"
#include "platform/platform.hpp"

class QDialog;

namespace ui {

class AirportPane;
class LiveTrafficView;

class LiveView : public QFrame {
    Q_OBJECT
  public:
    LiveView(platform::Platform& platform, app::Session& session,
             std::function<int(QDialog&)> run_dialog, QWidget* parent = nullptr);

    [[nodiscard]] AirportPane* airport_pane() const { return airports_; }
    // Right of the airport list: the flight list and the picture.
    [[nodiscard]] LiveTrafficView* traffic() const { return traffic_; }

  private:
    AirportPane* airports_ = nullptr;
    LiveTrafficView* traffic_ = nullptr;
};

}  // namespace ui

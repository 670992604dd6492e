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

class LiveView : public QFrame {
    Q_OBJECT
  public:
    LiveView(platform::Platform& platform, app::Session& session,
             std::function<int(QDialog&)> run_dialog, QWidget* parent = nullptr);

    [[nodiscard]] AirportPane* airport_pane() const { return airports_; }
    // The area right of the airport list that holds the flight list and the picture.
    [[nodiscard]] QWidget* traffic_area() const { return traffic_area_; }

  private:
    AirportPane* airports_ = nullptr;
    QWidget* traffic_area_ = nullptr;
};

}  // namespace ui

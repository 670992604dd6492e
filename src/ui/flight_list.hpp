#pragma once
// The flight list List8: rows of TAB-separated columns drawn at fixed tab stops, as a list box
// shows them, so the one or two alignment TABs after the registration line the columns up.

#include <QListWidget>

namespace ui {

class FlightList : public QListWidget {
    Q_OBJECT
  public:
    explicit FlightList(QWidget* parent = nullptr);

  signals:
    // A mouse press on a row (List8_MouseDown): the row under the pointer, or -1.
    void rowPressed(int row);

  protected:
    void mousePressEvent(QMouseEvent* e) override;
};

}  // namespace ui

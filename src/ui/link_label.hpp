#pragma once
// A caption that reacts to a mouse press (any button) and turns magenta under the mouse, blue
// otherwise, as the small windows' links do.

#include <QLabel>

namespace ui {

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& object_name, const QString& text, QWidget* parent = nullptr);

  signals:
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void set_colour(const char* colour);
};

}  // namespace ui

#pragma once
// A flat push button painted by style_button: a coloured surface with a centred caption.

#include <QWidget>

#include "app/button_style.hpp"

namespace ui {

class PictureButton : public QWidget {
    Q_OBJECT
  public:
    PictureButton(const QString& object_name, QWidget* parent = nullptr);

    // Paints the button in a style; "" takes the caption from the tag. Returns whether it
    // repainted.
    bool style_button(const QString& caption, int style, int request);

    [[nodiscard]] const app::ButtonState& state() const { return state_; }
    [[nodiscard]] QString caption() const { return QString::fromStdString(state_.tag); }
    QSize sizeHint() const override;

  signals:
    void clicked();
    void hovered();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    app::ButtonState state_;
    bool pressed_ = false;
};

}  // namespace ui

#pragma once
// The traffic picture p1: draws a plot of the live traffic (discs, labels, the "@" at the
// airport, the aircraft icons and the selection marker) with the zoom labels "-", "+" and "R".
// What to draw comes from the live layer's plot; this widget only paints it and reports presses.

#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "live/traffic_picture.hpp"

class QLabel;

namespace ui {

class TrafficPictureWidget : public QWidget {
    Q_OBJECT
  public:
    // icon_file gives the picture of a direction (0, 10, ..., 350); a missing one leaves its
    // icon blank.
    TrafficPictureWidget(std::function<std::string(int)> icon_file, QWidget* parent = nullptr);

    void set_picture(live::Picture picture);
    void clear_picture();
    void set_marker_visible(bool visible);
    void set_stale(bool stale);
    [[nodiscard]] const live::Picture& picture() const { return picture_; }
    [[nodiscard]] bool marker_visible() const { return marker_visible_; }
    // The size in twips, as the plot measures it.
    [[nodiscard]] double width_twips() const;
    [[nodiscard]] double height_twips() const;

  signals:
    void zoomClicked(int index);  // Label12(index): "-", "+", "R"
    void iconPressed(int index);  // img(index), 1-based
    void doubleClicked();
    void resized();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    const QPixmap& icon(int direction);

    std::function<std::string(int)> icon_file_;
    std::array<QPixmap, 36> icons_;
    std::array<bool, 36> loaded_{};
    live::Picture picture_;
    bool marker_visible_ = false;
    bool stale_ = false;
    QLabel* label12_[3] = {nullptr, nullptr, nullptr};
};

}  // namespace ui

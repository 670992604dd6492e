#pragma once
// The Updates window: shows the installed version and, on a press on its link, asks the
// maker's site for the latest one.

#include <QDialog>

#include "platform/platform.hpp"

class QLabel;

namespace ui {

class LinkLabel;
class PictureButton;

class UpdatesWindow : public QDialog {
    Q_OBJECT
  public:
    explicit UpdatesWindow(platform::Platform& platform, QWidget* parent = nullptr);

  protected:
    // The window's surface: "Close" back to its resting look.
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void run_check();     // Label1 pressed
    void open_website();  // Label3(1) pressed

    platform::Platform& platform_;
    LinkLabel* label1_ = nullptr;
    QLabel* result_ = nullptr;      // Label3(0)
    LinkLabel* website_ = nullptr;  // Label3(1)
    PictureButton* close_ = nullptr;
};

}  // namespace ui

#pragma once
// The Settings window: the path being edited, ">>" to pick a folder, "Cancel" and "Apply".
// "Apply" stores the box's text into json_path itself; the main window then checks it.

#include <QDialog>

#include "app/session.hpp"
#include "platform/platform.hpp"

class QLineEdit;

namespace ui {

class PictureButton;

class SettingsWindow : public QDialog {
    Q_OBJECT
  public:
    SettingsWindow(platform::Platform& platform, app::Session& session, QWidget* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void command2_mouse_down();

    platform::Platform& platform_;
    app::Session& session_;
    QLineEdit* text1_ = nullptr;
    PictureButton* command2_ = nullptr;
    PictureButton* command9_[2] = {nullptr, nullptr};
};

}  // namespace ui

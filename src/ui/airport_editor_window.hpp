#pragma once
// The airport editor "Edit": looks an airport up in the lookup file or takes typed coordinates,
// adds it to the list or renames the selected one. It changes the session's list directly and
// reports a change through list_changed; the caller saves and chooses.

#include <QDialog>
#include <functional>

#include "app/session.hpp"
#include "platform/platform.hpp"

class QCheckBox;
class QLineEdit;

namespace ui {

class PictureButton;

class AirportEditorWindow : public QDialog {
    Q_OBJECT
  public:
    // renamed runs when Enter renamed the selected airport at once.
    AirportEditorWindow(platform::Platform& platform, app::Session& session,
                        std::function<void()> renamed, QWidget* parent = nullptr);

    // Left edge at window_left (screen coordinates), bottom 200 twips above the owner's bottom.
    void place(int window_left);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    void command11_click();
    void command9_click(int index);
    void check6_mouse_up();
    void boxes_to_session();
    void session_to_boxes();
    void name_box_enter();

    platform::Platform& platform_;
    app::Session& session_;
    std::function<void()> renamed_;
    QLineEdit* text5_ = nullptr;
    QLineEdit* text6_[2] = {nullptr, nullptr};
    QCheckBox* check6_ = nullptr;
    PictureButton* command11_ = nullptr;
    PictureButton* command9_[2] = {nullptr, nullptr};
};

}  // namespace ui

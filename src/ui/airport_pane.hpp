#pragma once
// The airport list of the live view: List7 with the find box and "Search List" (Frame1) and the
// "Edit", "Add" and "Remove" buttons (Frame4). It renders the session's airport list and forwards
// presses to the app layer; a chosen airport is announced for the live traffic.

#include <QWidget>
#include <functional>
#include <string>

#include "app/session.hpp"
#include "platform/platform.hpp"

class QDialog;
class QFrame;
class QLineEdit;
class QListWidget;

namespace ui {

class PictureButton;

class AirportPane : public QWidget {
    Q_OBJECT
  public:
    // run_dialog shows one of the program's own windows modally (the main window's road).
    AirportPane(platform::Platform& platform, app::Session& session,
                std::function<int(QDialog&)> run_dialog, QWidget* parent = nullptr);

    // Shows the session's list again, keeping its selection.
    void render_list();
    // "Sort Airport List".
    void sort_list();
    // Where the editor places itself: the left edge of the flight list, in window coordinates.
    void set_editor_left(std::function<int()> left) { editor_left_ = std::move(left); }
    // Mouse moved over the live view's own surface: every button of the pane rests.
    void rest_buttons();

  signals:
    // An airport was chosen: the coordinates item to fetch the traffic around.
    void airportChosen(const QString& coords);
    // An airport was removed: the flight list and the picture are emptied.
    void trafficCleared();

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void list7_mouse_down();
    void command7_click();
    void command10_click(int index);
    void command11_click();
    void choose(const std::optional<std::string>& coords);

    platform::Platform& platform_;
    app::Session& session_;
    std::function<int(QDialog&)> run_dialog_;
    std::function<int()> editor_left_;
    QListWidget* list7_ = nullptr;
    QFrame* frame1_ = nullptr;
    QLineEdit* text5_ = nullptr;
    PictureButton* command7_ = nullptr;
    QFrame* frame4_ = nullptr;
    PictureButton* command10_[2] = {nullptr, nullptr};
    PictureButton* command11_ = nullptr;
};

}  // namespace ui

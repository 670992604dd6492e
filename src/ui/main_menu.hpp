#pragma once
// The menu bar of the main window, built in one place.

#include <functional>

class QMainWindow;

namespace ui {

struct MainMenuActions {
    std::function<void()> exit;
};

void build_main_menu(QMainWindow& window, const MainMenuActions& actions);

}  // namespace ui

#pragma once
// The Flightradar menu (Range, Max Height) and the window's Ctrl+R / Ctrl+X keys. Clicks go to
// the app layer; a click that asks for a refresh calls refresh.

#include <functional>

#include "app/session.hpp"

class QMainWindow;
class QMenu;

namespace ui {

// Adds "Flightradar" to the window's menu bar; the items show the session's ticks.
QMenu* build_flightradar_menu(QMainWindow& window, app::Session& session,
                              std::function<void()> refresh);

}  // namespace ui

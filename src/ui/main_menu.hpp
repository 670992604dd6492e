#pragma once
// The menu bar of the main window, built in one place.

#include <functional>

#include "app/reports.hpp"

class QMainWindow;

namespace ui {

struct MainMenuActions {
    std::function<void()> exit;
    std::function<void(app::ReportItem)> report;
    std::function<void()> about;           // File > About
    std::function<void()> export_table;    // File > Export table...
    std::function<void()> check_updates;   // Help > Check for Updates
    std::function<void()> website;         // Help > Website
    std::function<void()> settings;        // Settings > Loga
    std::function<void(int)> airports;     // Airports > Show (0) / Sort (1) Airport List
    std::function<void()> flightradar;     // adds the Flightradar menu in its place
    std::function<void()> missing_models;  // Reports > Missing models
};

void build_main_menu(QMainWindow& window, const MainMenuActions& actions);

}  // namespace ui

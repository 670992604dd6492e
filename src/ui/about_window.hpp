#pragma once
// The About window: the program's name, version and year, and a link to the maker's site.

#include <QDialog>

#include "platform/platform.hpp"

namespace ui {

class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    // year: the year shown beside the version (the current one when the menu opens it).
    AboutWindow(platform::Platform& platform, int year, QWidget* parent = nullptr);
};

}  // namespace ui

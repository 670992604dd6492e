#pragma once
// The program's icon (the airliner of packaging/skelvar.svg), drawn in code so the window needs
// no SVG plug-in.

#include <QIcon>

namespace ui {

QIcon program_icon();

}  // namespace ui

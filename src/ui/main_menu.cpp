#include "ui/main_menu.hpp"

#include <QMainWindow>
#include <QMenuBar>

namespace ui {

void build_main_menu(QMainWindow& window, const MainMenuActions& actions) {
    QMenu* mfil = window.menuBar()->addMenu(QStringLiteral("File"));
    mfil->setObjectName(QStringLiteral("mfil"));
    QAction* exit = mfil->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("mf8"));
    QObject::connect(exit, &QAction::triggered, &window, actions.exit);
}

}  // namespace ui

#include "ui/main_menu.hpp"

#include <QMainWindow>
#include <QMenuBar>

namespace ui {
namespace {

// Object names follow the items' places in their menus (mmo2 is "ModelConfig File").
QAction* add_item(QMenu* menu, const char* caption, const QString& name) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    return a;
}

void build_reports(QMainWindow& window, const MainMenuActions& actions) {
    using app::ReportItem;
    QMenu* mmod = window.menuBar()->addMenu(QStringLiteral("Reports"));
    mmod->setObjectName(QStringLiteral("mmod"));
    const auto item = [&](const char* caption, ReportItem which) {
        QAction* a = add_item(mmod, caption, QStringLiteral("mmo%1").arg(static_cast<int>(which)));
        QObject::connect(a, &QAction::triggered, &window,
                         [report = actions.report, which] { report(which); });
        return a;
    };
    item("ModelConfig File", ReportItem::ModelConfigFile);
    mmod->addSeparator();
    item("Non-Matching", ReportItem::NonMatching);
    item("Matching Models", ReportItem::MatchingModels);
    item("Engine Types", ReportItem::EngineTypes);
    item("Vantrel found Planes in Community Folder", ReportItem::AddonTitles);
    item("Missing Json Files", ReportItem::MissingJsonFiles);
    QAction* chart = add_item(mmod, "Missing models", QStringLiteral("mmoChart"));
    QObject::connect(chart, &QAction::triggered, &window, actions.missing_models);
    mmod->addSeparator();
    QAction* check_type = item("Check Type of Plane", ReportItem::CheckTypeOfPlane);
    check_type->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    check_type->setEnabled(false);  // nothing enables it
}

}  // namespace

void build_main_menu(QMainWindow& window, const MainMenuActions& actions) {
    QMenu* mfil = window.menuBar()->addMenu(QStringLiteral("File"));
    mfil->setObjectName(QStringLiteral("mfil"));
    QAction* about = add_item(mfil, "About", QStringLiteral("mf6"));
    QObject::connect(about, &QAction::triggered, &window, actions.about);
    QAction* export_table = add_item(mfil, "Export table\u2026", QStringLiteral("mfExport"));
    QObject::connect(export_table, &QAction::triggered, &window, actions.export_table);
    mfil->addSeparator()->setObjectName(QStringLiteral("mf7"));
    QAction* exit = add_item(mfil, "Exit", QStringLiteral("mf8"));
    QObject::connect(exit, &QAction::triggered, &window, actions.exit);
    QMenu* msett = window.menuBar()->addMenu(QStringLiteral("Settings"));
    msett->setObjectName(QStringLiteral("msett"));
    QAction* loga = add_item(msett, "Loga", QStringLiteral("mset0"));
    QObject::connect(loga, &QAction::triggered, &window, actions.settings);
    add_item(msett, "Community", QStringLiteral("mset1"))->setEnabled(false);  // nothing enables it
    build_reports(window, actions);
    if (actions.flightradar) actions.flightradar();

    QMenu* mtools = window.menuBar()->addMenu(QStringLiteral("Airports"));
    mtools->setObjectName(QStringLiteral("mtools"));
    const char* airport_items[] = {"Show Airport List", "Sort Airport List"};
    for (int i = 0; i < 2; ++i) {
        QAction* a = add_item(mtools, airport_items[i], QStringLiteral("mtls%1").arg(i));
        QObject::connect(a, &QAction::triggered, &window,
                         [airports = actions.airports, i] { airports(i); });
    }

    QMenu* mhelp = window.menuBar()->addMenu(QStringLiteral("Help"));
    mhelp->setObjectName(QStringLiteral("mhelp"));
    QAction* updates = add_item(mhelp, "Check for Updates", QStringLiteral("mhlp0"));
    QObject::connect(updates, &QAction::triggered, &window, actions.check_updates);
    QAction* website = add_item(mhelp, "Website", QStringLiteral("mhlp1"));
    QObject::connect(website, &QAction::triggered, &window, actions.website);
}

}  // namespace ui

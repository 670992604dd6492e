#include "ui/flightradar_menu.hpp"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "app/live_session.hpp"

namespace ui {
namespace {

// Shows the ticks the session holds.
void show_ticks(QMenu* range, QMenu* height, const app::Session& s) {
    const live::RangeCeiling m = app::menus(s);
    const auto r = range->actions();
    for (qsizetype i = 0; i < r.size(); ++i) r[i]->setChecked(m.mrg[static_cast<std::size_t>(i)]);
    const auto h = height->actions();
    for (qsizetype i = 0; i < h.size(); ++i) h[i]->setChecked(m.mrr[static_cast<std::size_t>(i)]);
}

}  // namespace

QMenu* build_flightradar_menu(QMainWindow& window, app::Session& session,
                              std::function<void()> refresh) {
    QMenu* mfr = window.menuBar()->addMenu(QStringLiteral("Flightradar"));
    mfr->setObjectName(QStringLiteral("mfr"));
    QMenu* range = mfr->addMenu(QStringLiteral("Range"));
    range->setObjectName(QStringLiteral("mrad0"));
    QMenu* height = mfr->addMenu(QStringLiteral("Max Height"));
    height->setObjectName(QStringLiteral("mrad1"));
    for (std::size_t k = 0; k < live::kRangeCaptions.size(); ++k) {
        QAction* a = range->addAction(
            QString::fromLatin1(live::kRangeCaptions[k].data(),
                                static_cast<qsizetype>(live::kRangeCaptions[k].size())));
        a->setObjectName(QStringLiteral("mrg%1").arg(k));
        a->setCheckable(true);
        QObject::connect(a, &QAction::triggered, &window, [&session, range, height, refresh, k] {
            const bool fetch = app::range_click(session, static_cast<int>(k));
            show_ticks(range, height, session);
            if (fetch) refresh();
        });
    }
    for (std::size_t k = 0; k < live::kHeightValues.size(); ++k) {
        QAction* a = height->addAction(QString::number(live::kHeightValues[k]));
        a->setObjectName(QStringLiteral("mrr%1").arg(k));
        a->setCheckable(true);
        QObject::connect(a, &QAction::triggered, &window, [&session, range, height, refresh, k] {
            const bool fetch = app::height_click(session, static_cast<int>(k));
            show_ticks(range, height, session);
            if (fetch) refresh();
        });
    }
    // Opening either submenu ticks the Max Height item last chosen.
    for (QMenu* sub : {range, height}) {
        QObject::connect(sub, &QMenu::aboutToShow, &window, [&session, range, height] {
            app::menu_opened(session);
            show_ticks(range, height, session);
        });
    }
    show_ticks(range, height, session);

    // Ctrl+R keeps a raw copy of every answer; Ctrl+X toggles the wide view.
    const std::pair<int, QKeySequence> keys[] = {{18, QKeySequence(Qt::CTRL | Qt::Key_R)},
                                                 {24, QKeySequence(Qt::CTRL | Qt::Key_X)}};
    for (const auto& [code, sequence] : keys) {
        auto* shortcut = new QShortcut(sequence, &window);
        shortcut->setObjectName(QStringLiteral("key%1").arg(code));
        QObject::connect(shortcut, &QShortcut::activated, &window,
                         [&session, code = code] { app::key_press(session, code); });
    }
    return mfr;
}

}  // namespace ui

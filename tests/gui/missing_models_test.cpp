// The "Missing models" window: its bars after a parse, a click on a bar selecting the suggestion,
// and the redraw when another log is parsed.

#include <QAction>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "common/file_io.hpp"
#include "test_paths.hpp"
#include "ui/missing_models_window.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using ui::MissingModelsWindow;

namespace {

QList<qreal> values(const QBarSet* set) {
    QList<qreal> out;
    for (int i = 0; i < set->count(); ++i) out << set->at(i);
    return out;
}

// A real left click in the middle of bar index of the chart.
void click_bar(MissingModelsWindow* w, MissingModelsWindow::Chart chart, int index) {
    QChartView* view = w->chart_view(chart);
    QChart* plot = view->chart();
    const QPointF scene =
        plot->mapToPosition(QPointF(index, w->bars(chart)->at(index) / 2), plot->series().front());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(scene));
}

// Default-model spawns of n types of their own, all flown by one airline.
std::string many_types(int n) {
    std::vector<gui_support::Spawn> spawns;
    for (int i = 0; i < n; ++i) {
        spawns.push_back({"12:" + std::to_string(10 + i) + ":00", "Model", "T" + std::to_string(i),
                          "EZY", "Airbus A320 Neo Standard", "R" + std::to_string(i), "EZY1",
                          true});
    }
    return gui_support::log_text(spawns);
}

}  // namespace

class MissingModelsTest : public QObject {
    Q_OBJECT

  private slots:
    void barsAfterParse_clickSelectsTheSuggestion();
    void newParse_redrawsAndOthersSelectNothing();
};

void MissingModelsTest::barsAfterParse_clickSelectsTheSuggestion() {
    Harness h;
    h.open_on_logs({{"log2024050109.txt",
                     common::read_file(testing_support::data_path("logs/default_models.txt"))}});
    h.click_log(0);
    h.child<QAction>("mmoChart")->trigger();
    auto* w = h.window().findChild<MissingModelsWindow*>();
    QVERIFY(w != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->bar_names(MissingModelsWindow::ByType), QStringList({"B738", "A20N", "E190"}));
    QCOMPARE(values(w->bars(MissingModelsWindow::ByType)), QList<qreal>({3, 2, 1}));
    QCOMPARE(w->bar_names(MissingModelsWindow::ByAirline), QStringList({"DLH", "RYR", "KLM"}));
    QCOMPARE(values(w->bars(MissingModelsWindow::ByAirline)), QList<qreal>({3, 2, 1}));

    // As a click on the suggestion: the row selected, the type box filled.
    auto* list1 = h.child<QListWidget>("List1_0");
    click_bar(w, MissingModelsWindow::ByAirline, 2);
    QVERIFY(list1->currentItem() != nullptr);
    QVERIFY(list1->currentItem()->text().endsWith(":E190,KLM"));
    QCOMPARE(h.child<QLineEdit>("Text4_0")->text(), QStringLiteral("E190"));
    click_bar(w, MissingModelsWindow::ByType, 1);
    QVERIFY(list1->currentItem()->text().endsWith(":A20N,DLH"));
    QCOMPARE(h.child<QLineEdit>("Text4_0")->text(), QStringLiteral("A20N"));

    // The menu item again brings the same window forward.
    h.child<QAction>("mmoChart")->trigger();
    QCOMPARE(h.window().findChildren<MissingModelsWindow*>().size(), 1);
}

void MissingModelsTest::newParse_redrawsAndOthersSelectNothing() {
    Harness h;
    h.open_on_logs({{"log2024050109.txt", many_types(23)},
                    {"log2024050110.txt", gui_support::numbered_log(3)}});
    h.click_log(0);
    h.child<QAction>("mmoChart")->trigger();
    auto* w = h.window().findChild<MissingModelsWindow*>();
    QVERIFY(w != nullptr);
    const QStringList types = w->bar_names(MissingModelsWindow::ByType);
    QCOMPARE(types.size(), 21);
    QCOMPARE(types.front(), QStringLiteral("T0"));  // one each: by name
    QCOMPARE(types.back(), QStringLiteral("others (3)"));
    QCOMPARE(w->bars(MissingModelsWindow::ByType)->at(20), 3.0);

    auto* list1 = h.child<QListWidget>("List1_0");
    emit w->bars(MissingModelsWindow::ByType)->clicked(20);
    QCOMPARE(list1->currentRow(), -1);
    emit w->bars(MissingModelsWindow::ByType)->clicked(1);
    QVERIFY(list1->currentItem() != nullptr);
    QVERIFY(list1->currentItem()->text().endsWith(":T1,EZY"));

    h.click_log(1);  // no default-model spawns in this one
    QVERIFY(w->bar_names(MissingModelsWindow::ByType).isEmpty());
    QCOMPARE(w->bars(MissingModelsWindow::ByAirline)->count(), 0);
    QCOMPARE(w->chart_view(MissingModelsWindow::ByType)->chart()->title(),
             QStringLiteral("No default-model spawns in this log"));
}

QTEST_MAIN(MissingModelsTest)
#include "missing_models_test.moc"

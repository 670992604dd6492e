// The "Missing models" window: its bars after a parse, a click on a bar selecting the suggestion,
// and the redraw when another log is parsed.

#include <QAction>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineEdit>

#include "test_paths.hpp"
#include "ui/missing_models_window.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using W = ui::MissingModelsWindow;

namespace {

QList<qreal> values(const QBarSet* set) {
    QList<qreal> out;
    for (int i = 0; i < set->count(); ++i) out << set->at(i);
    return out;
}

// A real left click in the middle of the bar.
void click_bar(W* w, W::Chart chart, int index) {
    QChartView* view = w->chart_view(chart);
    const QPointF mid(index, w->bars(chart)->at(index) / 2);
    const QPointF scene = view->chart()->mapToPosition(mid, view->chart()->series().front());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(scene));
}

W* open_chart(Harness& h, const std::string& log, const std::string& second_log) {
    h.open_on_logs({{"log2024050109.txt", log}, {"log2024050110.txt", second_log}});
    h.click_log(0);
    h.child<QAction>("mmoChart")->trigger();
    auto* w = h.window().findChild<W*>();
    return w != nullptr && QTest::qWaitForWindowExposed(w) ? w : nullptr;
}

}  // namespace

class MissingModelsTest : public QObject {
    Q_OBJECT

  private slots:
    void barsAfterParse_clickSelectsTheSuggestion() {
        Harness h;
        W* w =
            open_chart(h, common::read_file(testing_support::data_path("logs/default_models.txt")),
                       gui_support::numbered_log(3));
        QVERIFY(w != nullptr);
        QCOMPARE(w->bar_names(W::ByType), QStringList({"B738", "A20N", "E190"}));
        QCOMPARE(w->bar_names(W::ByAirline), QStringList({"DLH", "RYR", "KLM"}));
        QCOMPARE(values(w->bars(W::ByAirline)), QList<qreal>({3, 2, 1}));

        // As a click on the suggestion does: the row selected, the type box filled.
        auto* list1 = h.child<QListWidget>("List1_0");
        for (const auto& [chart, bar, row] :
             {std::tuple{W::ByAirline, 2, ":E190,KLM"}, std::tuple{W::ByType, 1, ":A20N,DLH"}}) {
            click_bar(w, chart, bar);
            QVERIFY(list1->currentItem() != nullptr && list1->currentItem()->text().endsWith(row));
            QCOMPARE(h.child<QLineEdit>("Text4_0")->text(), QString(row).mid(1, 4));
        }

        h.click_log(1);  // no default-model spawns in this one
        QVERIFY(w->bar_names(W::ByType).isEmpty());
        QCOMPARE(w->bars(W::ByAirline)->count(), 0);
        QCOMPARE(w->chart_view(W::ByType)->chart()->title(),
                 QStringLiteral("No default-model spawns in this log"));
    }

    void others_sumsThePastTwentyAndSelectsNothing() {
        std::vector<gui_support::Spawn> spawns;  // 23 types spawned once each
        for (int i = 0; i < 23; ++i) {
            spawns.push_back({"12:" + std::to_string(10 + i) + ":00", "Model",
                              "T" + std::to_string(i), "EZY", "Airbus A320",
                              "R" + std::to_string(i), "EZY1", true});
        }
        Harness h;
        W* w = open_chart(h, gui_support::log_text(spawns), gui_support::numbered_log(3));
        QVERIFY(w != nullptr);
        const QStringList types = w->bar_names(W::ByType);
        QCOMPARE(types.size(), 21);
        QCOMPARE(types.front() + " " + types.back(), QStringLiteral("T0 others (3)"));  // by name
        QCOMPARE(w->bars(W::ByType)->at(20), 3.0);
        emit w->bars(W::ByType)->clicked(20);
        QCOMPARE(h.child<QListWidget>("List1_0")->currentRow(), -1);
    }
};

QTEST_MAIN(MissingModelsTest)
#include "missing_models_test.moc"

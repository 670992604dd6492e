// Follow mode in the real window: records added to the chosen log appear without a click, the
// page in view stays put, a new log is taken up, and unticking stops it all.

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "ui/log_view.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::numbered_log;
using gui_support::numbered_ref;

namespace {

// Appends groups from+1 .. to of the numbered log to the file.
void append_groups(const std::string& path, int from, int to) {
    const std::string all = numbered_log(to);
    const std::string added = all.substr(numbered_log(from).size());
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(added.data(), static_cast<std::streamsize>(added.size()));
}

}  // namespace

class FollowTest : public QObject {
    Q_OBJECT

  private slots:
    void follow_newRecordsAppearAndThePageInViewStays();
    void follow_theWatcherReadsOnAndANewLogIsTakenUp_untickedNothingMoves();
};

void FollowTest::follow_newRecordsAppearAndThePageInViewStays() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", numbered_log(30)}});
    h.click_log(0);
    h.click_toggle("Follow");
    QVERIFY(h.child<QCheckBox>("Follow")->isChecked());
    ui::LogView* view = h.window().log_view();

    append_groups(h.in_logs("log2024051314.txt"), 30, 35);
    view->follow_tick();
    QCOMPARE(h.shown(1, 2), numbered_ref(35));
    auto* v1 = h.child<QScrollBar>("v1");
    QCOMPARE(v1->maximum(), 35);

    v1->setValue(5);
    QCOMPARE(h.shown(1, 2), numbered_ref(30));
    append_groups(h.in_logs("log2024051314.txt"), 35, 40);
    view->follow_tick();
    QCOMPARE(h.shown(1, 2), numbered_ref(30));
    QCOMPARE(v1->value(), 10);
    QCOMPARE(v1->maximum(), 40);
    QVERIFY(h.fake.messages.empty());
}

void FollowTest::follow_theWatcherReadsOnAndANewLogIsTakenUp_untickedNothingMoves() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", numbered_log(10)}});
    h.click_log(0);
    h.click_toggle("Follow");

    // No tick by hand: the file-system notice or the poll reads the added groups.
    append_groups(h.in_logs("log2024051314.txt"), 10, 12);
    QTRY_COMPARE_WITH_TIMEOUT(h.shown(1, 2), numbered_ref(12), 3000);

    QVERIFY(common::write_file_atomic(h.in_logs("log2024051315.txt"), numbered_log(3)));
    QTRY_COMPARE_WITH_TIMEOUT(h.log_labels().size(), 2, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(h.shown(1, 2), numbered_ref(3), 3000);
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 1);

    h.click_toggle("Follow");
    append_groups(h.in_logs("log2024051315.txt"), 3, 6);
    QTest::qWait(1500);
    QCOMPARE(h.shown(1, 2), numbered_ref(3));
    QVERIFY(h.fake.messages.empty());
}

QTEST_MAIN(FollowTest)
#include "follow_test.moc"

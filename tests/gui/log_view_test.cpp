// The log view: choosing a log, the spawn table it fills, paging, search, copy and look-up, and
// the buttons under the log list.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::numbered_ref;
using gui_support::q;

namespace {

// The cells painted yellow, as "row,column".
QStringList yellow_cells(const Harness& h) {
    const QImage table = h.grab_table();
    QStringList out;
    for (int r = 1; r <= logs::SpawnTable::kRows; ++r) {
        for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) {
            const QPoint corner = h.cell_rect(r, c).topLeft() + QPoint(1, 1);
            if (table.pixelColor(corner) == QColor(255, 255, 0))
                out << QStringLiteral("%1,%2").arg(r).arg(c);
        }
    }
    return out;
}

int label_pixels(QLabel* label, bool (*pred)(QColor)) {
    return gui_support::count_pixels(label->grab().toImage(), label->rect(), pred);
}

void open_on_three_spawns(Harness& h) {
    h.open_on_logs({{"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});
    h.click_log(0);
}

void search_for(Harness& h, const QString& text, bool match_case, bool by_enter = false) {
    auto* text3 = h.child<QLineEdit>("Text3");
    text3->clear();
    QTest::keyClicks(text3, text);
    h.child<QCheckBox>("check5")->setChecked(match_case);
    by_enter ? QTest::keyClick(text3, Qt::Key_Return) : h.click_button("Command1");
}

}  // namespace

class LogViewTest : public QObject {
    Q_OBJECT

  private slots:
    void clickLog_fillsTheTableAndPaintsFailuresRed();
    void scroll_data();
    void scroll();
    void search_data();
    void search();
    void tableClicks_copyFromThePopupAndLookUpTheTime();
    void logList_editBusyGuardUpdateAndRefresh();
    void navigation_wheelKeysAndThumbFollowTheTable();
    void hitSteps_keysAndButtonsScrollToEachHit_endsHold();
    void smallWindow_headingsWholeAndCutCellsExplainThemselves();
};

void LogViewTest::clickLog_fillsTheTableAndPaintsFailuresRed() {
    Harness h;
    std::vector<gui_support::Spawn> clean = gui_support::three_spawns();
    clean[1].failed = false;
    h.open_on_logs({{"log2024051313.txt", gui_support::log_text(clean)},
                    {"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});
    h.click_log(1);

    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 1);
    // Newest group first.
    QCOMPARE(h.shown(1, 2), QStringLiteral("400A1B"));
    QStringList row2;
    for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) row2 << h.shown(2, c);
    QCOMPARE(row2, QStringList({"14:05", "3C6DD2", " A20N ", " DLH", "Airbus A320neo",
                                " Airbus A320 Neo (Default Model)", "DLH9"}));
    QCOMPARE(h.shown(3, 2), QStringLiteral("4CA7B1"));
    QCOMPARE(h.shown(4, 1), QString());
    // Only the default model's Plane Spawned cell is red.
    const QImage table = h.grab_table();
    QVERIFY(gui_support::count_pixels(table, h.cell_rect(2, 6), gui_support::is_reddish) > 0);
    QCOMPARE(gui_support::count_pixels(table, h.cell_rect(1, 6), gui_support::is_reddish), 0);
    QCOMPARE(gui_support::count_pixels(table, h.cell_rect(2, 5), gui_support::is_reddish), 0);
    QVERIFY(gui_support::count_pixels(table, h.cell_rect(2, 5), gui_support::is_darkish) > 0);
    auto* label9 = h.child<QLabel>("label9");
    QCOMPARE(label9->text(), QStringLiteral("Failed:1"));
    QVERIFY(label_pixels(label9, gui_support::is_reddish) > 0);
    QCOMPARE(label_pixels(label9, gui_support::is_darkish), 0);
    QCOMPARE(h.child<QListWidget>("List1_0")->count(), 1);
    QVERIFY(h.fake.messages.empty());
    // The result lists go into this run's program folder (their bytes are unit-tested).
    const std::string models = common::join_path(h.program_folder(), "models");
    for (const char* name : {"matched", "no-match"}) {
        QVERIFY2(common::file_exists(common::join_path(models, name)), name);
    }

    // The next log's count replaces it in black, and its table and suggestions replace these.
    h.click_log(0);
    QCOMPARE(label9->text(), QStringLiteral("Failed:0"));
    QCOMPARE(label_pixels(label9, gui_support::is_reddish), 0);
    QVERIFY(label_pixels(label9, gui_support::is_darkish) > 0);
    QCOMPARE(h.shown(2, 6), QStringLiteral(" Airbus A320 Neo"));
    QCOMPARE(gui_support::count_pixels(h.grab_table(), h.cell_rect(2, 6), gui_support::is_reddish),
             0);
    QCOMPARE(h.child<QListWidget>("List1_0")->count(), 0);
}

void LogViewTest::scroll_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("trough");  // the value after one click in the trough below the thumb
    QTest::newRow("below one page") << 24 << 0 << 0;
    // A page step of the toolkit would jump 25; the table moves by the parse's large change.
    QTest::newRow("one page") << 25 << 25 << 1;
    QTest::newRow("more") << 30 << 30 << 30;
}

void LogViewTest::scroll() {
    QFETCH(int, records);
    QFETCH(int, maximum);
    QFETCH(int, trough);
    Harness h;
    h.open_on_logs({{"log2024051314.txt", gui_support::numbered_log(records)}});
    h.click_log(0);
    auto* v1 = h.child<QScrollBar>("v1");
    QCOMPARE(v1->maximum(), maximum);
    QCOMPARE(h.shown(1, 2), numbered_ref(records));

    v1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(v1->value(), trough);
    v1->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(v1->value(), 0);

    // From value v the first row shows the v-th newest record; the last page ends on the oldest.
    const int value = std::min(maximum, records - 1);
    v1->setValue(value);
    const int rows = records - value;
    QCOMPARE(h.shown(1, 2), numbered_ref(rows));
    QCOMPARE(h.shown(rows, 2), numbered_ref(1));
    QCOMPARE(h.shown(rows + 1, 2), QString());
}

void LogViewTest::search_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("firstRef");  // the page starts at the first hit
    QTest::addColumn<QStringList>("yellow");
    QTest::addColumn<bool>("noResults");
    const QStringList none;
    QTest::newRow("lower case") << "dlh" << false << false << "3C6DD2" << QStringList{"1,4"}
                                << false;
    QTest::newRow("match case") << "DLH" << true << false << "3C6DD2" << QStringList{"1,4"}
                                << false;
    QTest::newRow("match case misses") << "dlh" << true << false << "4CA7B1" << none << true;
    QTest::newRow("several columns") << "boeing" << false << false << "400A1B"
                                     << QStringList{"1,5", "1,6", "3,5", "3,6"} << false;
    // The call sign is never searched, but a record holding the text there goes back to the first
    // page, where a plain miss stays.
    QTest::newRow("call sign") << "RYR12" << true << false << "400A1B" << none << true;
    QTest::newRow("enter") << "dlh" << false << true << "3C6DD2" << QStringList{"1,4"} << false;
    QTest::newRow("enter misses") << "xyz" << false << true << "4CA7B1" << none << true;
}

void LogViewTest::search() {
    QFETCH(QString, text);
    QFETCH(bool, matchCase);
    QFETCH(bool, byEnter);
    QFETCH(QString, firstRef);
    QFETCH(QStringList, yellow);
    QFETCH(bool, noResults);
    Harness h;
    open_on_three_spawns(h);
    search_for(h, QStringLiteral("ryr"), false);  // moves the page and marks a cell
    QCOMPARE(h.shown(1, 2), QStringLiteral("4CA7B1"));
    QCOMPARE(yellow_cells(h), QStringList{"1,4"});

    search_for(h, text, matchCase, byEnter);

    QCOMPARE(h.shown(1, 2), firstRef);
    QCOMPARE(yellow_cells(h), yellow);
    QCOMPARE(h.fake.messages.size(), std::size_t{noResults ? 1U : 0U});
    if (noResults) {
        QCOMPARE(q(h.fake.messages[0].text), QStringLiteral("No results."));
        QVERIFY(h.fake.messages[0].icon == platform::Icon::Information);
    }
}

void LogViewTest::tableClicks_copyFromThePopupAndLookUpTheTime() {
    Harness h;
    open_on_three_spawns(h);
    // Row 1 is then the Lufthansa spawn, its airline marked.
    search_for(h, QStringLiteral("dlh"), false);
    auto* mpop = h.child<QMenu>("mpop");
    QAction* mcop = mpop->actions().value(0);
    QVERIFY(mcop != nullptr);
    QCOMPARE(mcop->text(), QStringLiteral("Copy"));

    const std::pair<int, const char*> cases[] = {
        {1, nullptr}, {2, nullptr},          {3, " A20N "},
        {4, " DLH"},  {5, "Airbus A320neo"}, {6, " Airbus A320 Neo (Default Model)"},
        {7, nullptr}};
    for (const auto& [column, copied] : cases) {
        h.fake.clipboard = "before";
        h.click_cell(1, column, Qt::RightButton);
        QVERIFY2(mpop->isVisible() == (copied != nullptr), std::to_string(column).c_str());
        if (copied != nullptr) {
            QTest::mouseClick(mpop, Qt::LeftButton, {}, mpop->actionGeometry(mcop).center());
            QVERIFY(!mpop->isVisible());
        }
        QCOMPARE(q(h.fake.clipboard), QString::fromLatin1(copied != nullptr ? copied : "before"));
    }
    h.click_cell(0, 4, Qt::RightButton);  // nor does the header row open it
    QVERIFY(!mpop->isVisible());
    QVERIFY(h.fake.opened_urls.empty());

    // A left click on Time, and on no other column nor the header, looks the flight up.
    for (const int column : {1, 2, 4, 7}) h.click_cell(1, column);
    h.click_cell(0, 1);
    QCOMPARE(h.fake.opened_urls.size(), std::size_t{1});
    const QString url = q(h.fake.opened_urls[0]);
    QVERIFY2(url.startsWith(QStringLiteral("https://")), qPrintable(url));
    QVERIFY2(url.endsWith(QStringLiteral("/search?q=flight+14%3A05")), qPrintable(url));
}

void LogViewTest::logList_editBusyGuardUpdateAndRefresh() {
    using gui_support::numbered_log;
    Harness h;
    h.open_on_logs(
        {{"log2024051313.txt", numbered_log(2)}, {"log2024051314.txt", numbered_log(3)}});
    auto* list4 = h.child<QListWidget>("List4");
    const std::string log13 = h.in_logs("log2024051313.txt");

    // With nothing chosen the right button does nothing, and chooses nothing.
    h.click_log(1, Qt::RightButton);
    QVERIFY(h.fake.edited_files.empty());
    QCOMPARE(list4->currentRow(), -1);
    QCOMPARE(h.shown(1, 1), QStringLiteral("-"));

    // It opens the chosen log, whichever entry it is on, and neither chooses nor reads another.
    h.click_log(0);
    QCOMPARE(h.shown(1, 2), numbered_ref(2));
    const int busy_before = h.fake.busy_on_calls;
    h.click_log(0, Qt::RightButton);
    h.click_log(1, Qt::RightButton);
    QCOMPARE(h.fake.edited_files, std::vector<std::string>({log13, log13}));
    QCOMPARE(h.fake.busy_on_calls, busy_before + 2);
    QVERIFY(!h.fake.busy);
    QCOMPARE(list4->currentRow(), 0);
    QCOMPARE(h.shown(1, 2), numbered_ref(2));

    // The add-on goes on writing; while a parse runs, log clicks and "Update" are dropped.
    QVERIFY(common::write_file_atomic(log13, numbered_log(5)));
    h.window().session().logs.log.busy_flag = true;
    h.click_log(1);
    h.click_button("command4_0");
    QCOMPARE(list4->currentRow(), 0);
    QCOMPARE(h.shown(1, 2), numbered_ref(2));
    h.window().session().logs.log.busy_flag = false;
    h.click_button("command4_0");
    QCOMPARE(h.shown(1, 2), numbered_ref(5));
    QCOMPARE(list4->currentRow(), 0);
    h.click_log(1);
    QCOMPARE(h.shown(1, 2), numbered_ref(3));
    QVERIFY(h.fake.messages.empty());

    // "Refresh List" lists the folder typed into Text1.
    const std::string other = common::join_path(h.root(), "other");
    QVERIFY(common::create_folder(other));
    QVERIFY(common::write_file_atomic(common::join_path(other, "log2024060108.txt"), "\r\n"));
    QVERIFY(common::write_file_atomic(common::join_path(other, "log2024060209.txt"), "\r\n"));
    auto* text1 = h.child<QLineEdit>("Text1");
    text1->clear();
    QTest::keyClicks(text1, q(other));
    h.click_button("command4_1");
    QCOMPARE(h.log_labels(), QStringList({"06 01 : 0800", "06 02 : 0900"}));
}

// From scroll value v the first row shows the record v places after the newest.
void LogViewTest::navigation_wheelKeysAndThumbFollowTheTable() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", gui_support::numbered_log(60)}});
    h.click_log(0);
    auto* v1 = h.child<QScrollBar>("v1");
    auto* table = h.window().table_widget();
    const auto expect_top = [&](int value) {
        QCOMPARE(v1->value(), value);
        QCOMPARE(h.shown(1, 2), numbered_ref(60 - value));
    };
    const QPoint mid = table->rect().center();
    QWheelEvent notch(mid, table->mapToGlobal(mid), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(table, &notch);
    expect_top(QApplication::wheelScrollLines());
    v1->setValue(0);
    // The keys stop at the last full page, which ends on the oldest record.
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_PageDown, 25}, {Qt::Key_Down, 26},
                                            {Qt::Key_End, 35},      {Qt::Key_PageDown, 35},
                                            {Qt::Key_Up, 34},       {Qt::Key_Home, 0}};
    for (const auto& [key, value] : keys) {
        QTest::keyClick(table, key);
        expect_top(value);
        if (key == Qt::Key_End) QCOMPARE(h.shown(25, 2), numbered_ref(1));
    }

    // A search moves the thumb to the page it shows.
    search_for(h, QStringLiteral("REF010"), true);
    QCOMPARE(h.shown(1, 2), QStringLiteral("REF010"));
    QCOMPARE(v1->value(), 50);
}

// Searching "REF01" in 60 spawns hits REF019 (scroll value 41) down to REF010 (value 50).
void LogViewTest::hitSteps_keysAndButtonsScrollToEachHit_endsHold() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", gui_support::numbered_log(60)}});
    h.click_log(0);
    auto* v1 = h.child<QScrollBar>("v1");
    auto* label = h.child<QLabel>("hitLabel");
    auto* previous = h.child<QToolButton>("hitPrevious");
    auto* next = h.child<QToolButton>("hitNext");
    const auto expect_hit = [&](int k, int value) {
        QCOMPARE(label->text(), k == 0 ? QString() : QStringLiteral("hit %1 of 10").arg(k));
        QCOMPARE(next->isEnabled(), k != 0);
        QCOMPARE(previous->isEnabled(), k != 0);
        QCOMPARE(v1->value(), value);
        QCOMPARE(h.shown(1, 2), numbered_ref(60 - value));
    };
    expect_hit(0, 0);
    QTest::keyClick(&h.window(), Qt::Key_F3);  // nothing to step through yet
    expect_hit(0, 0);

    search_for(h, QStringLiteral("REF01"), true);
    expect_hit(1, 41);
    enum Gesture { F3, ShiftF3, Next, Previous };
    const std::pair<Gesture, int> steps[] = {{F3, 2},       {Next, 3},    {ShiftF3, 2},
                                             {Previous, 1}, {ShiftF3, 1}, {Previous, 1}};
    for (const auto& [gesture, k] : steps) {
        if (gesture == F3 || gesture == ShiftF3) {
            QTest::keyClick(&h.window(), Qt::Key_F3,
                            gesture == ShiftF3 ? Qt::ShiftModifier : Qt::NoModifier);
        } else {
            QTest::mouseClick(gesture == Next ? next : previous, Qt::LeftButton);
        }
        expect_hit(k, 40 + k);
    }
    // F3 also works from the search box; the last hit holds.
    for (int k = 2; k <= 11; ++k) QTest::keyClick(h.child<QLineEdit>("Text3"), Qt::Key_F3);
    expect_hit(10, 50);
    QVERIFY(!label->text().contains(QChar(logs::kMark)));

    // The keys belong to the log view: in the live view they step nothing.
    h.click_toggle("logs1");
    QTest::keyClick(&h.window(), Qt::Key_F3, Qt::ShiftModifier);
    h.click_toggle("logs0");
    expect_hit(10, 50);

    search_for(h, QStringLiteral("ref01"), true);  // Match Case: no hits
    QCOMPARE(label->text(), QString());
    QVERIFY(!next->isEnabled() && !previous->isEnabled());
    QCOMPARE(h.fake.messages.size(), std::size_t{1});
}

void LogViewTest::smallWindow_headingsWholeAndCutCellsExplainThemselves() {
    Harness h;
    open_on_three_spawns(h);
    h.window().resize(760, 600);
    auto* table = h.window().table_widget();
    QTRY_VERIFY(table->width() < 700);
    QFont bold = table->font();
    bold.setBold(true);
    for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) {
        const QString heading = q(logs::kHeaderCaptions[static_cast<std::size_t>(c - 1)]);
        QVERIFY2(QFontMetrics(bold).horizontalAdvance(heading) <= h.cell_rect(0, c).width() - 4,
                 qPrintable(heading));
    }
    // Row 2's Plane Spawned text is wider than its cell: the tooltip shows it whole.
    const QString full = h.shown(2, 6);
    QVERIFY(table->fontMetrics().horizontalAdvance(full) > h.cell_rect(2, 6).width() - 4);
    const QPoint at = h.cell_rect(2, 6).center();
    QHelpEvent help(QEvent::ToolTip, at, table->mapToGlobal(at));
    QApplication::sendEvent(table, &help);
    QTRY_COMPARE(QToolTip::text(), full);
}

QTEST_MAIN(LogViewTest)
#include "log_view_test.moc"

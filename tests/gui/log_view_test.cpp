// The log view: choosing a log, the spawn table it fills, paging, search, copy and look-up, and
// the buttons under the log list.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <cmath>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "ui/spawn_table_widget.hpp"
#include "window_harness.hpp"

using gui_support::Harness;

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The captions of a table row, marks dropped.
QStringList row_captions(const Harness& h, int row) {
    QStringList out;
    for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) out << q(h.shown(row, c));
    return out;
}

QStringList yellow_cells(const Harness& h) {
    QStringList out;
    for (int r = 1; r <= logs::SpawnTable::kRows; ++r) {
        for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) {
            if (h.cell(r, c).yellow) out << QStringLiteral("%1,%2").arg(r).arg(c);
        }
    }
    return out;
}

const QStringList kRowBaw = {
    "14:07", "400A1B", " B77W ", " BAW", "Boeing 777-300ER", " Boeing 777-300ER British", "BAW15"};
const QStringList kRowDlh = {"14:05", "3C6DD2",         " A20N ",
                             " DLH",  "Airbus A320neo", " Airbus A320 Neo (Default Model)",
                             "DLH9"};
const QStringList kRowRyr = {
    "14:03", "4CA7B1", " B738 ", " RYR", "Boeing 737-800", " Boeing 737-800 Ryanair", "RYR12"};

// Opens the window on a logs folder holding the given logs, in the Logs view.
void open_on_logs(Harness& h, const std::vector<std::pair<std::string, std::string>>& logs) {
    for (const auto& [name, text] : logs) QVERIFY(gui_support::write_bytes(h.in_logs(name), text));
    h.open();
    h.choose_folder_with_picker(h.logs_folder());
    h.show_logs_view();
    QCOMPARE(h.child<QListWidget>("List4")->count(), static_cast<int>(logs.size()));
}

void open_on_three_spawns(Harness& h) {
    open_on_logs(h, {{"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});
    h.click_log(0);
}

void search(Harness& h, const QString& text, bool match_case) {
    auto* text3 = h.child<QLineEdit>("Text3");
    text3->clear();
    QTest::keyClicks(text3, text);
    h.child<QCheckBox>("check5")->setChecked(match_case);
    h.click_button("Command1");
}

// LargeChange of v1: the row pitch in twips times (records + 1) / 26, halves to even (the
// default rounding mode of nearbyint).
std::int64_t expected_large_change(const Harness& h, std::int64_t records) {
    const double pitch =
        static_cast<double>(h.window().table_widget()->header_height_twips() + 100);
    return static_cast<std::int64_t>(
        std::nearbyint(pitch * static_cast<double>(records + 1) / 26.0));
}

}  // namespace

class LogViewTest : public QObject {
    Q_OBJECT

  private slots:
    void clickLog_fillsTableFailedLabelAndSuggestions();
    void clickLog_withoutFailures_failedZeroInBlack();
    void clickLog_paintsDefaultModelRedAndWritesResultLists();

    void scroll_belowOnePage_hasNoRange();
    void scroll_exactlyOnePage_troughMovesByOne();
    void scroll_manyRecords_lastValueShowsTheOldestAndTroughUsesLargeChange();

    void search_ignoringCase_marksTheAirlineYellow();
    void search_matchCase_noHit_saysNoResults();
    void search_enterInText3_searchesToo();
    void search_onlyInCallSign_noResultsAndFirstPageAgain();

    void rightClick_copyColumns_putCaptionOnClipboard();
    void rightClick_otherColumns_openNoMenu();
    void copy_afterSearch_leavesTheMarkOut();
    void clickTime_looksUpTheFlight();

    void rightClickLog_opensTheChosenLogInTheEditor();
    void rightClickLog_nothingChosen_doesNothing();
    void busyFlag_clickOnAnotherLog_doesNotParse();
    void update_parsesTheChosenLogAgain();
    void refreshList_listsTheFolderTypedIntoText1();
};

void LogViewTest::clickLog_fillsTableFailedLabelAndSuggestions() {
    Harness h;
    open_on_three_spawns(h);

    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 0);
    // Newest group first.
    QCOMPARE(row_captions(h, 1), kRowBaw);
    QCOMPARE(row_captions(h, 2), kRowDlh);
    QCOMPARE(row_captions(h, 3), kRowRyr);
    for (int r = 4; r <= logs::SpawnTable::kRows; ++r) {
        QCOMPARE(row_captions(h, r), QStringList(7, QString()));
    }
    QVERIFY(yellow_cells(h).isEmpty());

    auto* label9 = h.child<QLabel>("label9");
    QCOMPARE(label9->text(), QStringLiteral("Failed:1"));
    const QImage label = label9->grab().toImage();
    QVERIFY(gui_support::count_pixels(label, label.rect(), gui_support::is_reddish) > 0);
    QCOMPARE(gui_support::count_pixels(label, label.rect(), gui_support::is_darkish), 0);

    auto* list1 = h.child<QListWidget>("List1_0");
    QCOMPARE(list1->count(), 1);
    QCOMPARE(list1->item(0)->text(), QStringLiteral(" Livery?:A20N,DLH"));
    auto* models = h.child<QListWidget>("List1_1");
    QCOMPARE(models->count(), 1);
    QCOMPARE(models->item(0)->text(),
             QStringLiteral("Airbus A320neo >  Airbus A320 Neo (Default Model)"));
    QVERIFY(h.fake.messages.empty());
    QVERIFY(!h.window().session().log.busy_flag);
}

void LogViewTest::clickLog_withoutFailures_failedZeroInBlack() {
    Harness h;
    std::vector<gui_support::Spawn> clean = gui_support::three_spawns();
    clean[1].failed = false;
    open_on_logs(h, {{"log2024051313.txt", gui_support::log_text(clean)},
                     {"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});

    h.click_log(1);
    QCOMPARE(h.child<QLabel>("label9")->text(), QStringLiteral("Failed:1"));

    // The next log's count replaces it, and its colour goes back to black.
    h.click_log(0);
    auto* label9 = h.child<QLabel>("label9");
    QCOMPARE(label9->text(), QStringLiteral("Failed:0"));
    const QImage label = label9->grab().toImage();
    QCOMPARE(gui_support::count_pixels(label, label.rect(), gui_support::is_reddish), 0);
    QVERIFY(gui_support::count_pixels(label, label.rect(), gui_support::is_darkish) > 0);
    QCOMPARE(h.shown(2, 6), std::string(" Airbus A320 Neo"));
    QVERIFY(!h.cell(2, 6).red);
    QCOMPARE(h.child<QListWidget>("List1_0")->count(), 0);
    QCOMPARE(h.child<QListWidget>("List1_1")->count(), 0);
}

void LogViewTest::clickLog_paintsDefaultModelRedAndWritesResultLists() {
    Harness h;
    open_on_three_spawns(h);

    QVERIFY(h.cell(2, 6).red);
    QVERIFY(!h.cell(1, 6).red);
    QVERIFY(!h.cell(3, 6).red);
    const QImage table = h.grab_table();
    QVERIFY(gui_support::count_pixels(table, h.cell_rect(2, 6), gui_support::is_reddish) > 0);
    QCOMPARE(gui_support::count_pixels(table, h.cell_rect(1, 6), gui_support::is_reddish), 0);
    QCOMPARE(gui_support::count_pixels(table, h.cell_rect(2, 5), gui_support::is_reddish), 0);
    QVERIFY(gui_support::count_pixels(table, h.cell_rect(2, 5), gui_support::is_darkish) > 0);

    // The result lists go into this run's program folder.
    const std::string models = h.in_program("models");
    QCOMPARE(q(common::read_file(common::join_path(models, "no-match"))),
             QStringLiteral(" DLH,Airbus A320neo, Airbus A320 Neo (Default Model)\r\n\r\n"));
    QCOMPARE(q(common::read_file(common::join_path(models, "matched"))),
             QStringLiteral(" BAW,Boeing 777-300ER, Boeing 777-300ER British\r\n"
                            " RYR,Boeing 737-800, Boeing 737-800 Ryanair\r\n\r\n"));
}

void LogViewTest::scroll_belowOnePage_hasNoRange() {
    Harness h;
    open_on_logs(h,
                 {{"log2024051314.txt", gui_support::log_text(gui_support::numbered_spawns(24))}});
    h.click_log(0);
    auto* v1 = h.child<QScrollBar>("v1");
    QCOMPARE(v1->maximum(), 0);
    QCOMPARE(v1->value(), 0);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF024"));
    QCOMPARE(q(h.shown(24, 2)), QStringLiteral("REF001"));
    QCOMPARE(q(h.shown(25, 2)), QString());
}

void LogViewTest::scroll_exactlyOnePage_troughMovesByOne() {
    Harness h;
    open_on_logs(h,
                 {{"log2024051314.txt", gui_support::log_text(gui_support::numbered_spawns(25))}});
    h.click_log(0);
    auto* v1 = h.child<QScrollBar>("v1");
    QCOMPARE(v1->maximum(), 25);
    QCOMPARE(h.window().v1_large_change(), std::int64_t{1});

    // A page step of the toolkit would jump 25; the table moves by the large change.
    v1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(v1->value(), 1);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF024"));
    QCOMPARE(q(h.shown(24, 2)), QStringLiteral("REF001"));
    QCOMPARE(q(h.shown(25, 2)), QString());

    v1->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(v1->value(), 0);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF025"));
}

void LogViewTest::scroll_manyRecords_lastValueShowsTheOldestAndTroughUsesLargeChange() {
    constexpr int kRecords = 30;
    Harness h;
    open_on_logs(
        h, {{"log2024051314.txt", gui_support::log_text(gui_support::numbered_spawns(kRecords))}});
    h.click_log(0);
    auto* v1 = h.child<QScrollBar>("v1");
    QCOMPARE(v1->maximum(), kRecords);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF030"));

    v1->setValue(v1->maximum() - 1);
    QCOMPARE(row_captions(h, 1), QStringList({"10:01", "REF001", " B738 ", " RYR", "Boeing 737-800",
                                              " Boeing 737-800 Ryanair", "RYR1"}));
    QCOMPARE(row_captions(h, 2), QStringList(7, QString()));

    v1->setValue(10);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF020"));
    QCOMPARE(q(h.shown(20, 2)), QStringLiteral("REF001"));
    QCOMPARE(q(h.shown(21, 2)), QString());

    const std::int64_t large = h.window().v1_large_change();
    QCOMPARE(large, expected_large_change(h, kRecords));
    v1->setValue(0);
    v1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(static_cast<std::int64_t>(v1->value()), std::min<std::int64_t>(kRecords, large));
}

void LogViewTest::search_ignoringCase_marksTheAirlineYellow() {
    Harness h;
    open_on_three_spawns(h);

    search(h, QStringLiteral("dlh"), false);

    QVERIFY(h.fake.messages.empty());
    // The page starts at the first hit; only the Airline field holds the text (the call sign
    // is never searched).
    QCOMPARE(row_captions(h, 1), kRowDlh);
    QCOMPARE(row_captions(h, 2), kRowRyr);
    QCOMPARE(yellow_cells(h), QStringList({"1,4"}));
    QVERIFY(h.cell(1, 6).red);
    const QImage table = h.grab_table();
    const QRect hit = h.cell_rect(1, 4);
    QCOMPARE(table.pixelColor(hit.topLeft() + QPoint(1, 1)), QColor(255, 255, 0));
    QVERIFY(table.pixelColor(h.cell_rect(1, 3).topLeft() + QPoint(1, 1)) != QColor(255, 255, 0));

    // With "Match Case" the same letters in capitals still hit.
    search(h, QStringLiteral("DLH"), true);
    QVERIFY(h.fake.messages.empty());
    QCOMPARE(yellow_cells(h), QStringList({"1,4"}));

    // A text in several columns marks each of them.
    search(h, QStringLiteral("boeing"), false);
    QCOMPARE(row_captions(h, 1), kRowBaw);
    QCOMPARE(yellow_cells(h), QStringList({"1,5", "1,6", "3,5", "3,6"}));
}

void LogViewTest::search_matchCase_noHit_saysNoResults() {
    Harness h;
    open_on_three_spawns(h);

    search(h, QStringLiteral("dlh"), true);

    QCOMPARE(h.fake.messages.size(), std::size_t{1});
    QCOMPARE(q(h.fake.messages[0].text), QStringLiteral("No results."));
    QVERIFY(h.fake.messages[0].buttons == platform::Buttons::Ok);
    QVERIFY(h.fake.messages[0].icon == platform::Icon::Information);
    QVERIFY(yellow_cells(h).isEmpty());
    QCOMPARE(row_captions(h, 1), kRowBaw);
}

void LogViewTest::search_enterInText3_searchesToo() {
    Harness h;
    open_on_three_spawns(h);
    auto* text3 = h.child<QLineEdit>("Text3");
    QTest::keyClicks(text3, "ryr");
    QTest::keyClick(text3, Qt::Key_Return);
    QVERIFY(h.fake.messages.empty());
    QCOMPARE(row_captions(h, 1), kRowRyr);
    QCOMPARE(yellow_cells(h), QStringList({"1,4"}));

    text3->clear();
    QTest::keyClicks(text3, "xyz");
    QTest::keyClick(text3, Qt::Key_Enter);
    QCOMPARE(h.fake.messages.size(), std::size_t{1});
    QCOMPARE(q(h.fake.messages[0].text), QStringLiteral("No results."));
    QVERIFY(h.fake.messages[0].icon == platform::Icon::Information);
}

void LogViewTest::search_onlyInCallSign_noResultsAndFirstPageAgain() {
    Harness h;
    open_on_three_spawns(h);
    search(h, QStringLiteral("dlh"), false);
    QCOMPARE(row_captions(h, 1), kRowDlh);

    search(h, QStringLiteral("RYR12"), true);
    QCOMPARE(h.message_texts(), std::vector<std::string>({"No results."}));
    QCOMPARE(row_captions(h, 1), kRowBaw);
    QVERIFY(yellow_cells(h).isEmpty());
}

void LogViewTest::rightClick_copyColumns_putCaptionOnClipboard() {
    Harness h;
    open_on_three_spawns(h);
    auto* mpop = h.child<QMenu>("mpop");
    QAction* mcop = nullptr;
    for (QAction* a : mpop->actions()) {
        if (a->objectName() == QStringLiteral("mcop")) mcop = a;
    }
    QVERIFY(mcop != nullptr);
    QCOMPARE(mcop->text(), QStringLiteral("Copy"));

    const std::pair<int, std::string> cases[] = {
        {3, " A20N "}, {4, " DLH"}, {5, "Airbus A320neo"}, {6, " Airbus A320 Neo (Default Model)"}};
    for (const auto& [column, expected] : cases) {
        h.fake.clipboard = "before";
        h.press_cell(2, column, Qt::RightButton);
        QVERIFY2(mpop->isVisible(), std::to_string(column).c_str());
        QTest::mouseClick(mpop, Qt::LeftButton, {}, mpop->actionGeometry(mcop).center());
        QVERIFY(!mpop->isVisible());
        QCOMPARE(q(h.fake.clipboard), q(expected));
    }
    QVERIFY(h.fake.opened_urls.empty());
}

void LogViewTest::rightClick_otherColumns_openNoMenu() {
    Harness h;
    open_on_three_spawns(h);
    auto* mpop = h.child<QMenu>("mpop");
    for (const int column : {1, 2, 7}) {
        h.press_cell(2, column, Qt::RightButton);
        QVERIFY2(!mpop->isVisible(), std::to_string(column).c_str());
    }
    // Nor does the header row.
    h.press_cell(0, 4, Qt::RightButton);
    QVERIFY(!mpop->isVisible());
    QVERIFY(h.fake.opened_urls.empty());
    QVERIFY(h.fake.clipboard.empty());
}

void LogViewTest::copy_afterSearch_leavesTheMarkOut() {
    Harness h;
    open_on_three_spawns(h);
    search(h, QStringLiteral("dlh"), false);
    QCOMPARE(h.cell(1, 4).caption, std::string("\x1f DLH"));

    auto* mpop = h.child<QMenu>("mpop");
    h.press_cell(1, 4, Qt::RightButton);
    QVERIFY(mpop->isVisible());
    QAction* mcop = mpop->actions().value(0);
    QVERIFY(mcop != nullptr);
    QTest::mouseClick(mpop, Qt::LeftButton, {}, mpop->actionGeometry(mcop).center());
    QCOMPARE(q(h.fake.clipboard), QStringLiteral(" DLH"));
}

void LogViewTest::clickTime_looksUpTheFlight() {
    Harness h;
    open_on_three_spawns(h);

    h.press_cell(2, 1, Qt::RightButton);
    QVERIFY(h.fake.opened_urls.empty());
    QVERIFY(!h.child<QMenu>("mpop")->isVisible());

    h.click_cell(2, 1);
    QCOMPARE(h.fake.opened_urls.size(), std::size_t{1});
    const QString url = q(h.fake.opened_urls[0]);
    QVERIFY2(url.startsWith(QStringLiteral("https://")), qPrintable(url));
    QVERIFY2(url.endsWith(QStringLiteral("/search?q=flight+14%3A05")), qPrintable(url));

    // Other columns look nothing up.
    h.click_cell(2, 2);
    h.click_cell(2, 4);
    QCOMPARE(h.fake.opened_urls.size(), std::size_t{1});
}

void LogViewTest::rightClickLog_opensTheChosenLogInTheEditor() {
    Harness h;
    const std::string text = gui_support::log_text(gui_support::three_spawns());
    open_on_logs(h, {{"log2024051313.txt", text}, {"log2024051314.txt", text}});
    h.click_log(1);
    const int busy_before = h.fake.busy_on_calls;

    h.right_click_log(1);

    QCOMPARE(h.fake.edited_files.size(), std::size_t{1});
    QCOMPARE(q(h.fake.edited_files[0]), q(h.in_logs("log2024051314.txt")));
    QCOMPARE(h.fake.busy_on_calls, busy_before + 1);
    QVERIFY(!h.fake.busy);
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 1);

    // On another entry it still opens the chosen log, and chooses nothing new.
    QVERIFY(gui_support::write_bytes(h.in_logs("log2024051313.txt"),
                                     gui_support::log_text(gui_support::numbered_spawns(1))));
    h.right_click_log(0);
    QCOMPARE(h.fake.edited_files.size(), std::size_t{2});
    QCOMPARE(q(h.fake.edited_files[1]), q(h.in_logs("log2024051314.txt")));
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 1);
    QCOMPARE(row_captions(h, 1), kRowBaw);
}

void LogViewTest::rightClickLog_nothingChosen_doesNothing() {
    Harness h;
    const std::string text = gui_support::log_text(gui_support::three_spawns());
    open_on_logs(h, {{"log2024051313.txt", text}, {"log2024051314.txt", text}});

    h.right_click_log(0);

    QVERIFY(h.fake.edited_files.empty());
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), -1);
    QCOMPARE(q(h.shown(1, 1)), QStringLiteral("-"));
}

void LogViewTest::busyFlag_clickOnAnotherLog_doesNotParse() {
    Harness h;
    open_on_logs(h, {{"log2024051313.txt", gui_support::log_text(gui_support::numbered_spawns(2))},
                     {"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});
    h.click_log(0);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF002"));

    // The first log grows meanwhile, so any parse would show.
    QVERIFY(gui_support::write_bytes(h.in_logs("log2024051313.txt"),
                                     gui_support::log_text(gui_support::numbered_spawns(3))));
    h.window().session().log.busy_flag = true;
    h.click_log(1);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF002"));
    QCOMPARE(q(h.shown(3, 2)), QString());
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 0);
    QCOMPARE(h.window().session().list.chosen, 0);
    // "Update" goes through the same check.
    h.click_button("command4_0");
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF002"));
    QCOMPARE(h.window().session().log.parse.record_count, std::int64_t{2});
    QVERIFY(h.fake.messages.empty());

    h.window().session().log.busy_flag = false;
    h.click_button("command4_0");
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF003"));
    h.click_log(1);
    QCOMPARE(row_captions(h, 1), kRowBaw);
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 1);
}

void LogViewTest::update_parsesTheChosenLogAgain() {
    Harness h;
    open_on_three_spawns(h);
    QCOMPARE(h.child<QLabel>("label9")->text(), QStringLiteral("Failed:1"));

    // The add-on goes on writing into the log.
    std::vector<gui_support::Spawn> more = gui_support::three_spawns();
    more.push_back(
        {"14:09:02", "Airbus A321neo", "A21N", "EZY", "Airbus A321 Neo", "440C2E", "EZY77", true});
    QVERIFY(gui_support::write_bytes(h.in_logs("log2024051314.txt"), gui_support::log_text(more)));
    QCOMPARE(row_captions(h, 1), kRowBaw);

    h.click_button("command4_0");

    QCOMPARE(row_captions(h, 1), QStringList({"14:09", "440C2E", " A21N ", " EZY", "Airbus A321neo",
                                              " Airbus A321 Neo (Default Model)", "EZY77"}));
    QCOMPARE(row_captions(h, 2), kRowBaw);
    QVERIFY(h.cell(1, 6).red);
    QCOMPARE(h.child<QLabel>("label9")->text(), QStringLiteral("Failed:2"));
    QCOMPARE(h.child<QListWidget>("List1_0")->count(), 2);
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 0);
}

void LogViewTest::refreshList_listsTheFolderTypedIntoText1() {
    Harness h;
    open_on_three_spawns(h);
    const std::string other = common::join_path(common::join_path(h.root(), "other"), "logs");
    QVERIFY(common::create_folder(common::join_path(h.root(), "other")));
    QVERIFY(common::create_folder(other));
    QVERIFY(gui_support::write_bytes(common::join_path(other, "log2024060108.txt"),
                                     gui_support::log_text(gui_support::numbered_spawns(3))));
    QVERIFY(gui_support::write_bytes(common::join_path(other, "log2024060209.txt"), "\r\n"));

    auto* text1 = h.child<QLineEdit>("Text1");
    text1->clear();
    QTest::keyClicks(text1, q(other));
    h.click_button("command4_1");

    QCOMPARE(h.log_labels(), QStringList({"06 01 : 0800", "06 02 : 0900"}));
    h.click_log(0);
    QCOMPARE(q(h.shown(1, 2)), QStringLiteral("REF003"));
    h.right_click_log(0);
    QCOMPARE(h.fake.edited_files.size(), std::size_t{1});
    QCOMPARE(q(h.fake.edited_files[0]), q(common::join_path(other, "log2024060108.txt")));
}

QTEST_MAIN(LogViewTest)
#include "log_view_test.moc"

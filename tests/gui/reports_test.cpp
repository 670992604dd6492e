// The Reports menu and the models list's double click, before and after a log is parsed.

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <algorithm>

#include "app/table_export.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::q;

namespace {

struct Expect {
    const char* action;
    const char* message;  // "" for none
    const char* opened;   // the file opened in the editor, relative to the program folder
};

// Triggers each item in turn and compares what was said and opened.
void run_items(Harness& h, std::initializer_list<Expect> items) {
    for (const Expect& e : items) {
        h.fake.messages.clear();
        h.fake.edited_files.clear();
        h.child<QAction>(e.action)->trigger();
        QStringList said;
        for (const auto& m : h.fake.messages) said << q(m.text);
        QCOMPARE(said.join(QLatin1Char('|')), QString::fromUtf8(e.message));
        const std::string opened =
            *e.opened ? common::join_path(h.program_folder(), e.opened) : std::string();
        QCOMPARE(h.fake.edited_files.empty() ? QString() : q(h.fake.edited_files[0]), q(opened));
    }
}

}  // namespace

class ReportsTest : public QObject {
    Q_OBJECT

  private slots:
    void withoutALog_asksForOneAndShowsTheLogView();
    void afterAParse_writesSortedListsAndOpensThem();
    void exportTable_writesTheChosenFile();
};

void ReportsTest::withoutALog_asksForOneAndShowsTheLogView() {
    Harness h;
    h.open();
    QVERIFY(h.child<QCheckBox>("logs1")->isChecked());
    // Switching to the log view without a logs folder asks for one first (answered No).
    run_items(h, {{"mmo4",
                   "Please locate log files.See website for details\r\n\r\nFind Log folder?|"
                   "Select a log",
                   ""},
                  {"mmo2", "Can't locate config.json", ""},
                  {"mmo6", "", "models/models"},
                  {"mmo7", "Please select log.", ""},
                  {"mmo8", "Select a log.", ""}});
    QVERIFY(h.child<QCheckBox>("logs0")->isChecked());  // "Non-Matching" switched the view
    QVERIFY(common::file_exists(common::join_path(h.program_folder(), "models/models")));

    // "Check Type of Plane" is shown disabled; Ctrl+T does nothing.
    QAction* check_type = h.child<QAction>("mmo10");
    QVERIFY(!check_type->isEnabled());
    QCOMPARE(check_type->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    h.fake.messages.clear();
    QTest::keyClick(&h.window(), Qt::Key_T, Qt::ControlModifier);
    QVERIFY(h.fake.messages.empty());
}

void ReportsTest::afterAParse_writesSortedListsAndOpensThem() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});
    h.click_log(0);
    const std::string config =
        common::join_path(common::join_path(h.root(), "config"), "ModelMatching.json");
    QVERIFY(common::create_folder(common::join_path(h.root(), "config")));
    QVERIFY(common::write_file_atomic(config, "{\r\n\"B738\":\"Boeing 737-800\"\r\n}\r\n"));
    run_items(h, {{"mmo4", "", "models/no-match"},
                  {"mmo5", "", "models/matched"},
                  {"mmo6", "", "models/models"},
                  {"mmo7", "No such information in current log.", ""},
                  {"mmo8", "None found.", ""}});
    // The matched list comes back sorted, ignoring case and leading blanks.
    QCOMPARE(q(common::read_file(common::join_path(h.program_folder(), "models/matched"))),
             QStringLiteral("BAW,Boeing 777-300ER, Boeing 777-300ER British\r\n"
                            "RYR,Boeing 737-800, Boeing 737-800 Ryanair\r\n\r\n"));
    // "ModelConfig File" reads the file again before opening it.
    h.fake.edited_files.clear();
    h.child<QAction>("mmo2")->trigger();
    QCOMPARE(h.fake.edited_files, std::vector<std::string>{config});
    QCOMPARE(q(h.window().session().matching.json_text),
             QStringLiteral("{\r\n\"B738\":\"Boeing 737-800\"\r\n}\r\n"));

    // A double click on the models list runs "Non-Matching".
    h.fake.edited_files.clear();
    auto* list3 = h.child<QListWidget>("list3_0");
    QTest::mouseDClick(list3->viewport(), Qt::LeftButton);
    QCOMPARE(h.fake.edited_files.size(), std::size_t{1});
}

void ReportsTest::exportTable_writesTheChosenFile() {
    Harness h;
    h.open();
    h.child<QAction>("mfExport")->trigger();  // nothing parsed yet
    QCOMPARE(q(h.fake.messages.back().text), q(app::kNothingToExport));
    QVERIFY(h.fake.save_suggestions.empty());

    h.open_on_logs({{"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});
    h.click_log(0);
    h.child<QAction>("mfExport")->trigger();  // cancelled: nothing written
    QVERIFY(q(h.fake.save_suggestions.back()).endsWith(QStringLiteral("log2024051314.csv")));
    const std::string out = common::join_path(h.root(), "spawns.csv");
    h.fake.save_choices.push_back(out);
    h.child<QAction>("mfExport")->trigger();
    const std::string csv = common::read_file(out);
    QVERIFY(csv.starts_with("Time,REF,Model,Airline,Name of Model,Plane Spawned,CallSign\r\n"));
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 4);  // the headings and three spawns
}

QTEST_MAIN(ReportsTest)
#include "reports_test.moc"

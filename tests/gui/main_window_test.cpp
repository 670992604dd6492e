// The main window as a whole: start-up, activation, the folder choice, the view switch, the
// settings round trip and the hover look of the picture buttons.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

#include "app/button_style.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "ui/picture_button.hpp"
#include "window_harness.hpp"

using gui_support::Harness;

namespace {

constexpr std::string_view kAdminMessage = "Please Right Click on exe and run as Administrator.";
constexpr std::string_view kChkLogs =
    "Please locate log files.See website for details\r\n\r\nFind Log folder?";

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

int count_text(const Harness& h, std::string_view text) {
    int n = 0;
    for (const auto& m : h.fake.messages) n += m.text == text ? 1 : 0;
    return n;
}

void move_mouse(QWidget* widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

bool same_rgb(const app::Rgb& c, int r, int g, int b) {
    return c.r == r && c.g == g && c.b == b;
}

QColor pixel_of(QWidget* w, QPoint p) {
    return w->grab().toImage().pixelColor(p);
}

// A logs folder with two hourly logs, one daily log and a file the list leaves out.
void fill_logs_folder(const Harness& h) {
    const std::string text = gui_support::log_text(gui_support::three_spawns());
    QVERIFY(gui_support::write_bytes(h.in_logs("log2024051314.txt"), text));
    QVERIFY(gui_support::write_bytes(h.in_logs("log20240513.txt"), text));
    QVERIFY(gui_support::write_bytes(h.in_logs("notes.txt"), "not a log\r\n"));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startup_emptyProgramFolder_liveViewCaptionAndFolders();
    void firstActivation_nonAdmin_asksOnceAndNeverAgain();
    void firstActivation_admin_showsNothing();
    void everyActivation_relistsTheLogsFolder();

    void chooseFolder_listsDateLabelsAndShowsTheFolder();
    void chooseFolder_cancelled_changesNothing();

    void viewSwitch_showsAndHidesTheFrames();
    void viewSwitch_toLogsWithoutFolder_asksAndYesOpensThePicker();
    void viewSwitch_toLogsWithMissingTypedFolder_asksAndNoDoesNothing();
    void viewSwitch_beforeFirstActivation_neverAsks();

    void closeAndRestart_mmDatBytesAndRestoredState();
    void closeAndRestart_keepsStoredRangeCeilingAndHeight();

    void hover_updateButton_lightsUpOnceAndRestsOnTheSurface();
    void hover_frame2_restsRefreshListButNotUpdate();
};

void MainWindowTest::startup_emptyProgramFolder_liveViewCaptionAndFolders() {
    Harness h;
    QVERIFY(h.valid());
    ui::MainWindow& w = h.open();

    QCOMPARE(w.windowTitle(), QStringLiteral("Skelvar  1.72"));
    QVERIFY(common::folder_exists(h.in_program("system")));
    QVERIFY(common::folder_exists(h.in_program("models")));
    QVERIFY(!common::file_exists(h.in_program("mm.dat")));

    QVERIFY(h.child<QLineEdit>("Text1")->text().isEmpty());
    QVERIFY(!h.child<QCheckBox>("logs0")->isChecked());
    QVERIFY(h.child<QCheckBox>("logs1")->isChecked());
    QVERIFY(h.child<QFrame>("Frame2")->isHidden());
    QVERIFY(!h.child<QFrame>("Frame3")->isHidden());
    QCOMPARE(h.child<QListWidget>("List4")->count(), 0);
    QVERIFY(h.fake.messages.empty());

    QCOMPARE(h.child<ui::PictureButton>("command2")->caption(), QStringLiteral(">>"));
    QCOMPARE(h.child<ui::PictureButton>("command4_0")->caption(), QStringLiteral("Update"));
    QCOMPARE(h.child<ui::PictureButton>("command4_1")->caption(), QStringLiteral("Refresh List"));
    QCOMPARE(h.child<ui::PictureButton>("command4_2")->caption(), QStringLiteral("Add to Config"));
    QCOMPARE(h.child<ui::PictureButton>("Command1")->caption(), QStringLiteral("Search"));
    QCOMPARE(h.child<QCheckBox>("logs0")->text(), QStringLiteral("Logs"));
    QCOMPARE(h.child<QCheckBox>("logs1")->text(), QStringLiteral("Live Airports"));
    QCOMPARE(h.child<QCheckBox>("check5")->text(), QStringLiteral("Match Case"));
    QCOMPARE(h.child<QAction>("mf8")->text(), QStringLiteral("Exit"));
}

void MainWindowTest::firstActivation_nonAdmin_asksOnceAndNeverAgain() {
    Harness h;
    h.fake.admin = false;
    ui::MainWindow& w = h.open();

    QCOMPARE(h.fake.messages.size(), std::size_t{1});
    QCOMPARE(q(h.fake.messages[0].text), q(kAdminMessage));
    QVERIFY(h.fake.messages[0].buttons == platform::Buttons::Ok);

    // Later activations (a dialog closing) stay silent.
    w.form_activate();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    QCOMPARE(count_text(h, kAdminMessage), 1);
    QCOMPARE(h.fake.messages.size(), std::size_t{1});
}

void MainWindowTest::firstActivation_admin_showsNothing() {
    Harness h;
    h.fake.admin = true;
    ui::MainWindow& w = h.open();
    w.form_activate();
    QVERIFY(h.fake.messages.empty());
}

void MainWindowTest::everyActivation_relistsTheLogsFolder() {
    Harness h;
    fill_logs_folder(h);
    h.open();
    h.choose_folder_with_picker(h.logs_folder());
    QCOMPARE(h.log_labels(), QStringList({"05 1300", "05 13 : 1400"}));

    QVERIFY(gui_support::write_bytes(h.in_logs("log2024051315.txt"), "\r\n"));
    QCOMPARE(h.log_labels().size(), 2);  // nothing watches the folder
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&h.window(), &activate);
    QCOMPARE(h.log_labels(), QStringList({"05 1300", "05 13 : 1400", "05 13 : 1500"}));
}

void MainWindowTest::chooseFolder_listsDateLabelsAndShowsTheFolder() {
    Harness h;
    fill_logs_folder(h);
    ui::MainWindow& w = h.open();

    h.choose_folder_with_picker(h.logs_folder());

    // With no folder yet the picker starts in the program folder.
    QCOMPARE(h.fake.browse_starts.size(), std::size_t{1});
    QCOMPARE(q(h.fake.browse_starts[0]), q(h.program_folder()));
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(h.logs_folder()));
    // Name order; notes.txt has no "log" in its name and gets no entry.
    QCOMPARE(h.log_labels(), QStringList({"05 1300", "05 13 : 1400"}));
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), -1);
    QCOMPARE(q(w.session().start.frame.json_path),
             q(common::join_path(common::join_path(h.root(), "config"), "ModelMatching.json")));

    // The next choice starts where the last one ended.
    h.choose_folder_with_picker("");
    QCOMPARE(h.fake.browse_starts.size(), std::size_t{2});
    QCOMPARE(q(h.fake.browse_starts[1]), q(h.logs_folder()));
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(h.logs_folder()));
    QCOMPARE(h.log_labels().size(), 2);
    QVERIFY(h.fake.messages.empty());
}

void MainWindowTest::chooseFolder_cancelled_changesNothing() {
    Harness h;
    fill_logs_folder(h);
    h.open();
    h.choose_folder_with_picker("");
    QCOMPARE(h.fake.browse_starts.size(), std::size_t{1});
    QCOMPARE(q(h.fake.browse_starts[0]), q(h.program_folder()));
    QVERIFY(h.child<QLineEdit>("Text1")->text().isEmpty());
    QCOMPARE(h.child<QListWidget>("List4")->count(), 0);
}

void MainWindowTest::viewSwitch_showsAndHidesTheFrames() {
    Harness h;
    fill_logs_folder(h);
    h.open();
    h.choose_folder_with_picker(h.logs_folder());
    auto* logs0 = h.child<QCheckBox>("logs0");
    auto* logs1 = h.child<QCheckBox>("logs1");
    auto* frame2 = h.child<QFrame>("Frame2");
    auto* frame3 = h.child<QFrame>("Frame3");
    auto* frame5 = h.child<QFrame>("Frame5");

    h.click_toggle("logs0");
    QVERIFY(logs0->isChecked());
    QVERIFY(!logs1->isChecked());
    QVERIFY(frame2->isVisible());
    QVERIFY(!frame3->isVisible());
    QVERIFY(!frame5->isVisible());

    h.click_toggle("logs1");
    QVERIFY(!logs0->isChecked());
    QVERIFY(logs1->isChecked());
    QVERIFY(!frame2->isVisible());
    QVERIFY(frame3->isVisible());
    QVERIFY(frame5->isVisible());

    // Unticking "Live Airports" is the other way back to the logs.
    h.click_toggle("logs1");
    QVERIFY(logs0->isChecked());
    QVERIFY(!logs1->isChecked());
    QVERIFY(frame2->isVisible());
    QVERIFY(!frame3->isVisible());

    // The folder exists, so the question never came.
    QVERIFY(h.fake.messages.empty());
    QVERIFY(h.fake.browse_starts.size() == 1);
}

void MainWindowTest::viewSwitch_toLogsWithoutFolder_asksAndYesOpensThePicker() {
    Harness h;
    fill_logs_folder(h);
    h.open();
    h.fake.answers.push_back(platform::Answer::Yes);
    h.fake.folder_choices.push_back(h.logs_folder());

    h.click_toggle("logs0");

    QCOMPARE(h.fake.messages.size(), std::size_t{1});
    QCOMPARE(q(h.fake.messages[0].text), q(kChkLogs));
    QVERIFY(h.fake.messages[0].buttons == platform::Buttons::YesNo);
    QCOMPARE(h.fake.browse_starts.size(), std::size_t{1});
    QCOMPARE(q(h.fake.browse_starts[0]), q(h.program_folder()));
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(h.logs_folder()));
    QCOMPARE(h.log_labels(), QStringList({"05 1300", "05 13 : 1400"}));
    QVERIFY(h.child<QFrame>("Frame2")->isVisible());
}

void MainWindowTest::viewSwitch_toLogsWithMissingTypedFolder_asksAndNoDoesNothing() {
    Harness h;
    h.open();
    const std::string nowhere = common::join_path(h.root(), "nowhere");
    h.child<QLineEdit>("Text1")->setText(q(nowhere));

    h.click_toggle("logs0");  // No: the fake's default answer

    QCOMPARE(h.fake.messages.size(), std::size_t{1});
    QCOMPARE(q(h.fake.messages[0].text), q(kChkLogs));
    QVERIFY(h.fake.messages[0].buttons == platform::Buttons::YesNo);
    QVERIFY(h.fake.browse_starts.empty());
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(nowhere));
    QVERIFY(h.child<QCheckBox>("logs0")->isChecked());

    // Asked again on every switch while the folder stays missing.
    h.click_toggle("logs1");
    QCOMPARE(h.fake.messages.size(), std::size_t{1});
    h.click_toggle("logs0");
    QCOMPARE(count_text(h, kChkLogs), 2);
}

void MainWindowTest::viewSwitch_beforeFirstActivation_neverAsks() {
    Harness h;
    // Logs view stored with a folder that has gone away.
    const std::string gone = common::join_path(h.root(), "gone");
    QVERIFY(gui_support::write_bytes(
        h.in_program("mm.dat"),
        gone + "\r\n0\r\n1\r\n\r\n0.08\r\n1\r\n2000\r\n2\r\n14\r\nxzy\r\n\r\n"));
    ui::MainWindow& w = h.construct();
    QVERIFY(h.child<QCheckBox>("logs0")->isChecked());
    QVERIFY(h.fake.messages.empty());
    h.show();
    QVERIFY(w.session().start.frame.first_activation_done);
    QVERIFY(h.fake.messages.empty());
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(gone));
    QCOMPARE(h.child<QListWidget>("List4")->count(), 0);
}

void MainWindowTest::closeAndRestart_mmDatBytesAndRestoredState() {
    Harness h;
    fill_logs_folder(h);
    h.open();
    h.choose_folder_with_picker(h.logs_folder());
    h.show_logs_view();
    auto* text3 = h.child<QLineEdit>("Text3");
    text3->clear();
    QTest::keyClicks(text3, "Ryan air");

    h.child<QAction>("mf8")->trigger();  // File > Exit
    QVERIFY(!h.window().isVisible());
    h.close();

    const std::string saved = gui_support::read_bytes(h.in_program("mm.dat"));
    // Line 2 is the flight list's height in twips: a whole number.
    const std::string head = h.logs_folder() + "\r\n";
    QVERIFY2(saved.rfind(head, 0) == 0, saved.c_str());
    const std::size_t height_end = saved.find("\r\n", head.size());
    QVERIFY(height_end != std::string::npos);
    const std::string height = saved.substr(head.size(), height_end - head.size());
    QVERIFY(!height.empty());
    QVERIFY(height.find_first_not_of("0123456789") == std::string::npos);
    QCOMPARE(q(saved),
             q(head + height + "\r\n1\r\nRyan air\r\n0.08\r\n1\r\n2000\r\n2\r\n14\r\nxzy\r\n\r\n"));
    QVERIFY(common::file_exists(h.in_program(common::join_path("system", "matches"))));

    // A new run on the same program folder finds what the last one left.
    ui::MainWindow& again = h.open();
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(h.logs_folder()));
    QVERIFY(h.child<QCheckBox>("logs0")->isChecked());
    QVERIFY(!h.child<QCheckBox>("logs1")->isChecked());
    QVERIFY(h.child<QFrame>("Frame2")->isVisible());
    QVERIFY(!h.child<QFrame>("Frame3")->isVisible());
    QCOMPARE(h.child<QLineEdit>("Text3")->text(), QStringLiteral("Ryan air"));
    QCOMPARE(h.log_labels(), QStringList({"05 1300", "05 13 : 1400"}));
    QCOMPARE(q(again.session().start.frame.logs_folder), q(h.logs_folder()));
    QVERIFY(h.fake.messages.empty());

    // Closing it unchanged writes the same bytes.
    h.close();
    QCOMPARE(q(gui_support::read_bytes(h.in_program("mm.dat"))), q(saved));
}

void MainWindowTest::closeAndRestart_keepsStoredRangeCeilingAndHeight() {
    Harness h;
    const std::string stored =
        h.logs_folder() + "\r\n2535\r\n0\r\nEZY\r\n0.15\r\n3\r\n4000\r\n4\r\n 14 \r\nxzy\r\n\r\n";
    QVERIFY(gui_support::write_bytes(h.in_program("mm.dat"), stored));
    h.open();
    QVERIFY(h.child<QCheckBox>("logs1")->isChecked());
    QCOMPARE(h.child<QLineEdit>("Text3")->text(), QStringLiteral("EZY"));
    h.close();
    QCOMPARE(
        q(gui_support::read_bytes(h.in_program("mm.dat"))),
        q(h.logs_folder() + "\r\n2535\r\n0\r\nEZY\r\n0.15\r\n3\r\n4000\r\n4\r\n14\r\nxzy\r\n\r\n"));
}

void MainWindowTest::hover_updateButton_lightsUpOnceAndRestsOnTheSurface() {
    Harness h;
    h.open();
    auto* update = h.child<ui::PictureButton>("command4_0");
    auto* refresh = h.child<ui::PictureButton>("command4_1");
    auto* browse = h.child<ui::PictureButton>("command2");
    auto* surface = h.child<QWidget>("surface");
    QVERIFY(same_rgb(update->state().background, 230, 230, 230));
    const int start_paints = update->state().paints;

    move_mouse(update, update->rect().center());
    QVERIFY(same_rgb(update->state().background, 232, 239, 247));
    QCOMPARE(update->state().paints, start_paints + 1);
    QCOMPARE(update->caption(), QStringLiteral("Update"));
    QCOMPARE(pixel_of(update, {1, 1}), QColor(232, 239, 247));
    // Only the button under the mouse lights up.
    QVERIFY(same_rgb(refresh->state().background, 230, 230, 230));

    // Moving within the button does not paint it again.
    move_mouse(update, update->rect().center() + QPoint(2, 1));
    QCOMPARE(update->state().paints, start_paints + 1);

    move_mouse(browse, browse->rect().center());
    QVERIFY(same_rgb(browse->state().background, 232, 239, 247));

    // The bare window puts every button of the top area back to rest.
    move_mouse(surface, {2, 2});
    QVERIFY(same_rgb(update->state().background, 230, 230, 230));
    QVERIFY(same_rgb(browse->state().background, 230, 230, 230));
    QCOMPARE(update->state().paints, start_paints + 2);
    QCOMPARE(pixel_of(update, {1, 1}), QColor(230, 230, 230));
    QCOMPARE(update->caption(), QStringLiteral("Update"));
    move_mouse(surface, {3, 3});
    QCOMPARE(update->state().paints, start_paints + 2);

    // And back onto the button.
    move_mouse(update, {3, 3});
    QVERIFY(same_rgb(update->state().background, 232, 239, 247));
    QCOMPARE(update->state().paints, start_paints + 3);
}

void MainWindowTest::hover_frame2_restsRefreshListButNotUpdate() {
    Harness h;
    fill_logs_folder(h);
    h.open();
    h.choose_folder_with_picker(h.logs_folder());
    h.show_logs_view();
    auto* update = h.child<ui::PictureButton>("command4_0");
    auto* refresh = h.child<ui::PictureButton>("command4_1");
    auto* add = h.child<ui::PictureButton>("command4_2");
    move_mouse(update, {3, 3});
    move_mouse(refresh, {3, 3});
    move_mouse(add, {3, 3});
    QVERIFY(same_rgb(add->state().background, 232, 239, 247));

    move_mouse(h.child<QFrame>("Frame2"), {2, 2});
    QVERIFY(same_rgb(refresh->state().background, 230, 230, 230));
    QVERIFY(same_rgb(add->state().background, 230, 230, 230));
    QVERIFY(same_rgb(update->state().background, 232, 239, 247));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

// The main window as a whole: start-up, activation, the folder choice, the view switch, the
// settings round trip and the hover look of the picture buttons.

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "common/file_io.hpp"
#include "ui/picture_button.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::q;

namespace {

constexpr std::string_view kAdminMessage = "Please Right Click on exe and run as Administrator.";
constexpr std::string_view kChkLogs =
    "Please locate log files.See website for details\r\n\r\nFind Log folder?";
const QColor kRest(230, 230, 230);
const QColor kLit(232, 239, 247);

QStringList message_texts(const Harness& h) {
    QStringList out;
    for (const auto& m : h.fake.messages) out << q(m.text);
    return out;
}

void move_mouse(QWidget* widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// The Logs view shows Frame2; the live view Frame3 and Frame5.
void expect_view(const Harness& h, bool logs) {
    QCOMPARE(h.child<QCheckBox>("logs0")->isChecked(), logs);
    QCOMPARE(h.child<QCheckBox>("logs1")->isChecked(), !logs);
    QCOMPARE(h.child<QFrame>("Frame2")->isVisible(), logs);
    QCOMPARE(h.child<QFrame>("Frame3")->isVisible(), !logs);
    QCOMPARE(h.child<QFrame>("Frame5")->isVisible(), !logs);
}

QColor background(const ui::PictureButton* b) {
    return {b->state().background.r, b->state().background.g, b->state().background.b};
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startup_data();
    void startup();
    void chooseFolder_listsLogsCancelKeepsThemActivationRelists();
    void focusChanges_neverParseNorMoveTheList();
    void firstStart_offersTheSampleLogs();
    void viewSwitch_data();
    void viewSwitch();
    void closeAndRestart_restoresTheWindowAndWritesTheSameBytes();
    void hover_lightsTheButtonUnderTheMouseAndFramesRestTheirOwn();
};

void MainWindowTest::startup_data() {
    QTest::addColumn<bool>("admin");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("user") << false << QStringList{q(kAdminMessage)};
    QTest::newRow("administrator") << true << QStringList{};
}

// An empty program folder: the caption, the controls, the live view, and a hint to a user who is
// not an administrator on the first activation only (later ones follow a dialog closing).
void MainWindowTest::startup() {
    QFETCH(bool, admin);
    QFETCH(QStringList, messages);
    Harness h;
    h.fake.admin = admin;
    ui::MainWindow& w = h.open();
    QCOMPARE(message_texts(h), messages);
    if (!messages.isEmpty()) QVERIFY(h.fake.messages[0].buttons == platform::Buttons::Ok);
    w.form_activate();  // as when an own window closes: no second hint
    QCOMPARE(message_texts(h), messages);

    QCOMPARE(w.windowTitle(), QStringLiteral("Skelvar  1.72"));
    QStringList captions;
    for (const char* name : {"command2", "command4_0", "command4_1", "command4_2", "Command1",
                             "logs0", "logs1", "check5", "mf8"}) {
        auto* button = qobject_cast<ui::PictureButton*>(h.child<QObject>(name));
        captions << (button ? button->caption()
                            : h.child<QObject>(name)->property("text").toString());
    }
    QCOMPARE(captions, QStringList({">>", "Update", "Refresh List", "Add to Config", "Search",
                                    "Logs", "Live Airports", "Match Case", "Exit"}));

    QVERIFY(h.child<QLineEdit>("Text1")->text().isEmpty());
    expect_view(h, false);
    QCOMPARE(h.child<QListWidget>("List4")->count(), 0);
}

void MainWindowTest::chooseFolder_listsLogsCancelKeepsThemActivationRelists() {
    Harness h;
    const std::string text = gui_support::log_text(gui_support::three_spawns());
    for (const char* name : {"log2024051314.txt", "log20240513.txt", "notes.txt"}) {
        QVERIFY(common::write_file_atomic(h.in_logs(name), text));
    }
    ui::MainWindow& w = h.open();
    auto* text1 = h.child<QLineEdit>("Text1");

    h.choose_folder_with_picker(h.logs_folder());
    // With no folder yet the picker starts in the program folder; notes.txt gets no entry.
    QCOMPARE(h.fake.browse_starts, std::vector<std::string>{h.program_folder()});
    QCOMPARE(text1->text(), q(h.logs_folder()));
    QCOMPARE(h.log_labels(), QStringList({"05 1300", "05 13 : 1400"}));
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), -1);

    // The next choice starts where the last one ended; cancelling it changes nothing.
    h.choose_folder_with_picker("");
    QCOMPARE(h.fake.browse_starts, (std::vector<std::string>{h.program_folder(), h.logs_folder()}));
    QCOMPARE(text1->text(), q(h.logs_folder()));
    QCOMPARE(h.log_labels().size(), 2);

    // Nothing watches the folder; closing one of the program's own windows lists it again.
    QVERIFY(common::write_file_atomic(h.in_logs("log2024051315.txt"), "\r\n"));
    QDialog dialog(&w);
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    w.run_own_window(dialog);
    QCOMPARE(h.log_labels(), QStringList({"05 1300", "05 13 : 1400", "05 13 : 1500"}));
    QVERIFY(h.fake.messages.empty());
}

// Desktop focus changes, a message box and a cancelled picker: the list keeps the folder the user
// refreshed it to and nothing is parsed until the user chooses a log.
void MainWindowTest::focusChanges_neverParseNorMoveTheList() {
    Harness h;
    const std::string text = gui_support::log_text(gui_support::three_spawns());
    const std::string other = common::join_path(h.root(), "other");
    QVERIFY(common::create_folder(other));
    QVERIFY(common::write_file_atomic(common::join_path(other, "log2024060110.txt"), text));
    QVERIFY(common::write_file_atomic(common::join_path(other, "log2024060111.txt"), "\r\n"));
    h.open_on_logs({{"log2024051314.txt", text}});
    ui::MainWindow& w = h.window();
    auto* list4 = h.child<QListWidget>("List4");
    auto* text1 = h.child<QLineEdit>("Text1");
    text1->setText(q(other));
    h.click_button("command4_1");  // Refresh List
    QCOMPARE(h.log_labels(), QStringList({"06 01 : 1000", "06 01 : 1100"}));

    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    list4->setFocus(Qt::OtherFocusReason);  // the toolkit makes the first row current
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("No results."),
                    QMessageBox::Ok, &w);
    QTimer::singleShot(50, &box, &QDialog::accept);
    box.exec();
    w.activateWindow();  // what the window manager does when the box goes
    QVERIFY(QTest::qWaitForWindowActive(&w));
    h.choose_folder_with_picker("");

    QCOMPARE(h.log_labels(), QStringList({"06 01 : 1000", "06 01 : 1100"}));
    QCOMPARE(text1->text(), q(other));
    QCOMPARE(h.fake.busy_on_calls, 0);
    QVERIFY(!common::file_exists(common::join_path(h.program_folder(), "models/no-match")));
    QCOMPARE(h.shown(1, 2), QStringLiteral("-"));

    // A click on the row the toolkit made current is the user's choice, and so is a key.
    QCOMPARE(list4->currentRow(), 0);
    h.click_log(0);
    QCOMPARE(h.fake.busy_on_calls, 1);
    QCOMPARE(h.shown(1, 2), QStringLiteral("400A1B"));
    QTest::keyClick(list4, Qt::Key_Down);
    QCOMPARE(h.fake.busy_on_calls, 2);
    QCOMPARE(h.shown(1, 2), QString());  // that log holds no spawns
}

// A program folder that ships sample logs offers them while no logs folder is chosen.
void MainWindowTest::firstStart_offersTheSampleLogs() {
    for (const bool yes : {false, true}) {
        Harness h;
        const std::string samples = common::join_path(h.program_folder(), "samples/logs");
        QVERIFY(common::create_folder(samples));
        QVERIFY(common::write_file_atomic(common::join_path(samples, "log2024051314.txt"),
                                          gui_support::log_text(gui_support::three_spawns())));
        h.fake.answers.push_back(yes ? platform::Answer::Yes : platform::Answer::No);
        h.open();
        QCOMPARE(message_texts(h), QStringList{"No logs folder chosen yet. Open the sample logs?"});
        QCOMPARE(h.log_labels(), yes ? QStringList{"05 13 : 1400"} : QStringList{});
        QCOMPARE(h.child<QLabel>("Label10_3")->text(),
                 yes ? QStringLiteral("Logs (samples)") : QStringLiteral("Logs"));
        expect_view(h, yes);
        if (yes) {
            h.click_log(0);
            QCOMPARE(h.shown(1, 2), QStringLiteral("400A1B"));
        }
    }
    // A chosen folder is never replaced by the samples.
    Harness h;
    QVERIFY(common::create_folder(common::join_path(h.program_folder(), "samples/logs")));
    h.open_on_logs({});
    h.close();
    h.fake.messages.clear();
    h.open();
    QVERIFY(h.fake.messages.empty());
}

void MainWindowTest::viewSwitch_data() {
    QTest::addColumn<QString>("typed");  // Text1 before the switch, under the scratch folder
    QTest::addColumn<int>("answer");     // to the question; -1: the folder exists, no question
    QTest::addColumn<int>("asked");      // questions after three switches
    QTest::newRow("folder exists") << QStringLiteral("logs") << -1 << 0;
    QTest::newRow("no folder, Yes opens the picker")
        << QString() << int(platform::Answer::Yes) << 1;
    QTest::newRow("missing folder, No does nothing")
        << QStringLiteral("nowhere") << int(platform::Answer::No) << 2;
}

void MainWindowTest::viewSwitch() {
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(int, asked);
    Harness h;
    QVERIFY(common::write_file_atomic(h.in_logs("log2024051314.txt"), "\r\n"));
    h.open();
    auto* text1 = h.child<QLineEdit>("Text1");
    if (!typed.isEmpty()) text1->setText(q(h.root()) + QLatin1Char('/') + typed);
    const QString before = text1->text();
    if (answer >= 0) h.fake.answers.push_back(static_cast<platform::Answer>(answer));
    h.fake.folder_choices.push_back(h.logs_folder());

    h.click_toggle("logs0");
    expect_view(h, true);
    QCOMPARE(message_texts(h), answer < 0 ? QStringList() : QStringList{q(kChkLogs)});
    if (answer >= 0) QVERIFY(h.fake.messages[0].buttons == platform::Buttons::YesNo);
    const bool picked = answer == int(platform::Answer::Yes);
    QCOMPARE(h.fake.browse_starts.size(), std::size_t{picked ? 1U : 0U});
    QCOMPARE(text1->text(), picked ? q(h.logs_folder()) : before);
    QCOMPARE(h.log_labels().size(), picked ? 1 : 0);

    h.click_toggle("logs1");
    expect_view(h, false);
    // Unticking "Live Airports" is the other way back to the logs; it asks again while the
    // folder is missing.
    h.click_toggle("logs1");
    expect_view(h, true);
    QCOMPARE(h.fake.messages.size(), std::size_t(asked));
}

void MainWindowTest::closeAndRestart_restoresTheWindowAndWritesTheSameBytes() {
    Harness h;
    const std::string mm_dat = common::join_path(h.program_folder(), "mm.dat");
    h.open_on_logs({{"log2024051314.txt", "\r\n"}, {"log2024051315.txt", "\r\n"}});
    auto* text3 = h.child<QLineEdit>("Text3");
    text3->clear();
    QTest::keyClicks(text3, "Ryan air");

    h.child<QAction>("mf8")->trigger();  // File > Exit
    QVERIFY(!h.window().isVisible());
    h.close();
    const std::string saved = common::read_file(mm_dat);
    QVERIFY2(saved.rfind(h.logs_folder() + "\r\n", 0) == 0, saved.c_str());

    // A new run on the same program folder finds what the last one left.
    h.open();
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(h.logs_folder()));
    QCOMPARE(h.child<QLineEdit>("Text3")->text(), QStringLiteral("Ryan air"));
    expect_view(h, true);
    QCOMPARE(h.log_labels(), QStringList({"05 13 : 1400", "05 13 : 1500"}));
    QVERIFY(h.fake.messages.empty());

    // Closing it unchanged writes the same bytes.
    h.close();
    QCOMPARE(q(common::read_file(mm_dat)), q(saved));
}

void MainWindowTest::hover_lightsTheButtonUnderTheMouseAndFramesRestTheirOwn() {
    Harness h;
    h.open_on_logs({});
    auto* update = h.child<ui::PictureButton>("command4_0");
    auto* refresh = h.child<ui::PictureButton>("command4_1");
    auto* add = h.child<ui::PictureButton>("command4_2");
    auto* browse = h.child<ui::PictureButton>("command2");
    QCOMPARE(background(update), kRest);

    move_mouse(update, update->rect().center());
    QCOMPARE(background(update), kLit);
    QCOMPARE(update->grab().toImage().pixelColor(1, 1), kLit);
    QCOMPARE(update->caption(), QStringLiteral("Update"));
    QCOMPARE(background(refresh), kRest);  // only the button under the mouse
    move_mouse(browse, {3, 3});
    QCOMPARE(background(browse), kLit);

    // The bare window puts every button of the top area back to rest.
    move_mouse(h.child<QWidget>("surface"), {2, 2});
    QCOMPARE(background(update), kRest);
    QCOMPARE(background(browse), kRest);
    QCOMPARE(update->grab().toImage().pixelColor(1, 1), kRest);

    // Frame2 rests "Refresh List" and its own "Add to Config", but not "Update".
    for (auto* b : {update, refresh, add}) move_mouse(b, {3, 3});
    QCOMPARE(background(add), kLit);
    move_mouse(h.child<QFrame>("Frame2"), {2, 2});
    QCOMPARE(background(refresh), kRest);
    QCOMPARE(background(add), kRest);
    QCOMPARE(background(update), kLit);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

// Settings > "Loga": the window's ">>", "Cancel" and "Apply", and what the main window does with
// the applied path.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "common/paths.hpp"
#include "ui/picture_button.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::q;

namespace {

// Opens Settings > "Loga" and, once the window is up, runs the gestures on it.
void in_settings(Harness& h, const std::function<void(QWidget&)>& gestures) {
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w != nullptr);
        QCOMPARE(w->windowTitle(), QStringLiteral("Settings"));
        gestures(*w);
    });
    h.child<QAction>("mset0")->trigger();
}

void press(QWidget& settings, const char* name) {
    QTest::mouseClick(settings.findChild<ui::PictureButton*>(QString::fromLatin1(name)),
                      Qt::LeftButton);
}

}  // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void applyChecksThePath_aRejectedOneLeavesEverythingAsItWas();
};

void SettingsWindowTest::applyChecksThePath_aRejectedOneLeavesEverythingAsItWas() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", "\r\n"}});
    app::Session& s = h.window().session();
    const std::string json_path = s.matching.json_path;
    QVERIFY(!h.child<QAction>("mset1")->isEnabled());  // "Community"

    // Cancel, and Apply unchanged: nothing happens.
    in_settings(h, [](QWidget& w) { press(w, "command9_0"); });
    in_settings(h, [](QWidget& w) { press(w, "command9_1"); });
    QVERIFY(h.fake.messages.empty());
    QCOMPARE(q(s.matching.json_path), q(json_path));

    // A folder without "logs", then a cancelled picker (the box is emptied): refused, and
    // json_path is what it was, so the model-matching file is never written there.
    const std::string temp = common::join_path(h.root(), "Temp");
    for (const std::string& picked : {temp, std::string()}) {
        h.fake.messages.clear();
        h.fake.folder_choices.push_back(picked);
        in_settings(h, [](QWidget& w) {
            press(w, "command2");
            press(w, "command9_1");
        });
        QCOMPARE(h.fake.messages.size(), std::size_t{1});
        QCOMPARE(q(h.fake.messages[0].text), " Cannot find Log folder\r\n\r\n" + q(picked));
        QCOMPARE(q(s.matching.json_path), q(json_path));
        QCOMPARE(h.log_labels(), QStringList{"05 13 : 1400"});
    }

    // Another logs folder is adopted: the list, the folder box and the model-matching path.
    const std::string other = common::join_path(common::join_path(h.root(), "other"), "logs");
    QVERIFY(common::create_folder(other));
    QVERIFY(common::write_file_atomic(common::join_path(other, "log2024060110.txt"), "\r\n"));
    h.fake.messages.clear();
    h.fake.folder_choices.push_back(other);
    in_settings(h, [](QWidget& w) {
        press(w, "command2");
        press(w, "command9_1");
    });
    QVERIFY(h.fake.messages.empty());
    QCOMPARE(h.log_labels(), QStringList{"06 01 : 1000"});
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(other));
    QCOMPARE(q(s.matching.json_path),
             q(common::join_path(common::join_path(common::join_path(h.root(), "other"), "config"),
                                 "ModelMatching.json")));
}

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"

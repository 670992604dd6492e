// The Updates and About windows, and how the menus reach them.

#include "ui/updates_window.hpp"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/build_settings.hpp"
#include "app/update_check.hpp"
#include "ui/about_window.hpp"
#include "ui/picture_button.hpp"
#include "ui/program_icon.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::q;

namespace {

template <class T>
T* find(QWidget& window, const char* name) {
    T* w = window.findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr) qFatal("no control named %s", name);
    return w;
}

void press(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Runs the menu item; the modal window it opens is closed at once and its name returned.
QString modal_name_after(QAction* action) {
    QString name;
    QTimer::singleShot(0, [&name] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            name = modal->objectName() + QLatin1Char('|') + modal->windowTitle();
            modal->close();
        }
    });
    action->trigger();
    return name;
}

}  // namespace

class UpdatesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void check_showsTheResultOfEachAnswer();
    void checkWebsite_opensTheProgramPageAndTellsWhenNothingOpens();
    void about_showsNameVersionYearAndLinksToTheSite();
    void menus_openTheWindowsModallyAndTheWebsite();
};

void UpdatesWindowTest::check_showsTheResultOfEachAnswer() {
    const struct {
        platform::HttpResult answer;
        QString text;
        bool website;
    } cases[] = {
        {{true, 200, "999.1\r\nnotes", {}, false},
         QStringLiteral("An update is available 999.1"),
         true},
        {{true, 200, std::string(app::kAppVersion), {}, false},
         QStringLiteral("Your version is up to date."),
         false},
        {{true, 200, "0.9", {}, false}, QStringLiteral("Your version is up to date."), false},
        {{false, 0, "", {}, false},
         QStringLiteral(
             "Could not check for updates: no answer from the server (no network or time-out)"),
         false},
    };
    for (const auto& c : cases) {
        testing_support::FakePlatform fake;
        fake.http_answers.push_back(c.answer);
        ui::UpdatesWindow window(fake);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Updates"));
        QCOMPARE(find<QLabel>(window, "Label2")->text(),
                 QStringLiteral("Current Version:") + q(app::kAppVersion));
        auto* label1 = find<QLabel>(window, "Label1");
        QCOMPARE(label1->text(), QStringLiteral("Click here to check for update"));
        QCOMPARE(find<QLabel>(window, "Label3_0")->text(), QStringLiteral(" "));
        QVERIFY(fake.http_requests.empty());  // only a press on the link asks

        press(label1);
        QCOMPARE(fake.http_requests, std::vector<std::string>{app::update_url(app::kMakerSite)});
        QVERIFY(label1->isHidden());
        QCOMPARE(find<QLabel>(window, "Label3_0")->text(), c.text);
        QCOMPARE(find<QLabel>(window, "Label3_1")->isVisible(), c.website);
        QCOMPARE(fake.busy_on_calls, 1);
        QVERIFY(!fake.busy);
    }
}

void UpdatesWindowTest::checkWebsite_opensTheProgramPageAndTellsWhenNothingOpens() {
    for (const bool works : {true, false}) {
        testing_support::FakePlatform fake;
        fake.open_url_works = works;
        fake.http_answers.push_back({true, 200, "999", {}, false});
        ui::UpdatesWindow window(fake);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        press(find<QLabel>(window, "Label1"));
        auto* website = find<QLabel>(window, "Label3_1");
        QCOMPARE(website->text(), QStringLiteral(" Check Website"));
        press(website);
        QCOMPARE(fake.opened_urls,
                 std::vector<std::string>{app::program_page_url(app::kMakerSite)});
        QCOMPARE(fake.messages.size(), works ? 0u : 1u);
        if (!works) {
            QCOMPARE(q(fake.messages[0].text),
                     QStringLiteral("Cannot launch file . No association with 'html' files."));
        }
        QCOMPARE(fake.process_events_calls, 3);
        press(find<ui::PictureButton>(window, "command2"));
        QVERIFY(!window.isVisible());
    }
}

void UpdatesWindowTest::about_showsNameVersionYearAndLinksToTheSite() {
    testing_support::FakePlatform fake;
    QApplication::setWindowIcon(ui::program_icon());
    ui::AboutWindow window(fake, 2031);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Information"));
    QVERIFY(window.isModal());
    QCOMPARE(find<QLabel>(window, "Label9")->text(), QStringLiteral("Skelvar"));
    // The program's icon: the blue square of the airliner.
    const QImage icon = find<QLabel>(window, "Image1")->pixmap().toImage();
    QCOMPARE(icon.size(), QSize(64, 64));
    QCOMPARE(icon.pixelColor(6, 32), QColor(0x1f, 0x4e, 0x79));
    QCOMPARE(find<QLabel>(window, "Label1")->text(),
             QStringLiteral("Version ") + q(app::kAppVersion) + QStringLiteral("  \u00A9 2031"));
    auto* site = find<QLabel>(window, "Label2");
    QCOMPARE(site->text(), q(app::kMakerSite));
    press(site);
    QCOMPARE(fake.opened_urls, std::vector<std::string>{app::maker_page_url(app::kMakerSite)});
    press(find<QPushButton>(window, "Command1"));
    QVERIFY(!window.isVisible());
}

void UpdatesWindowTest::menus_openTheWindowsModallyAndTheWebsite() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", gui_support::numbered_log(1)}});
    QCOMPARE(h.child<QAction>("mf6")->text(), QStringLiteral("About"));
    QVERIFY(h.child<QAction>("mf7")->isSeparator());
    QCOMPARE(h.child<QAction>("mhlp0")->text(), QStringLiteral("Check for Updates"));
    QCOMPARE(h.child<QAction>("mhlp1")->text(), QStringLiteral("Website"));

    // Closing one of the program's windows activates the main window again: a new log shows.
    QVERIFY(
        common::write_file_atomic(h.in_logs("log2024051315.txt"), gui_support::numbered_log(1)));
    QCOMPARE(modal_name_after(h.child<QAction>("mf6")), QStringLiteral("Infor|Information"));
    QCOMPARE(h.log_labels().size(), 2);
    QCOMPARE(modal_name_after(h.child<QAction>("mhlp0")), QStringLiteral("updat|Updates"));
    QVERIFY(h.fake.http_requests.empty());  // opening the window alone asks nothing
    QVERIFY(h.fake.opened_urls.empty());

    h.child<QAction>("mhlp1")->trigger();
    QCOMPARE(h.fake.opened_urls, std::vector<std::string>{app::program_page_url(app::kMakerSite)});
    h.close();
}

QTEST_MAIN(UpdatesWindowTest)
#include "updates_window_test.moc"

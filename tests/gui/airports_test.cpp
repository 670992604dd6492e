// The airport list of the live view and the airport editor: find, choose, edit, add from the
// lookup file, the key filter, remove, sort and show, driven on the real window.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "airports/lookup_file.hpp"
#include "ui/airport_pane.hpp"
#include "ui/live_view.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::q;

namespace {

// Runs the gestures on the editor once it is up; the button opens it.
void in_editor(Harness& h, const char* button, const std::function<void(QWidget&)>& gestures) {
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w != nullptr);
        QCOMPARE(w->windowTitle(), QStringLiteral("Edit"));
        gestures(*w);
        if (w->isVisible()) w->close();  // a failed gesture must not leave the test waiting
    });
    h.click_button(button);
}

template <class T>
T* in(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

void press(QWidget& w, const char* name) {
    QTest::mouseClick(in<ui::PictureButton>(w, name), Qt::LeftButton);
}

class AirportsRoad {
  public:
    explicit AirportsRoad(Harness& h) : h_(h) {
        QVERIFY(common::create_folder(common::join_path(h.program_folder(), "system")));
        QVERIFY(common::write_file_atomic(
            file("az5"), airports::scramble_lookup("#51.15,-0.18,London Gatwick,EGKK,LGW#"
                                                   "53.35,-2.27,Manchester Airport,EGCC,MAN")));
        h.open();
        list_ = h.child<QListWidget>("List7_0");
        pane_ = h.window().live_view()->airport_pane();
    }
    std::string file(const char* name) const {
        return common::join_path(common::join_path(h_.program_folder(), "system"), name);
    }
    QStringList names() const {
        QStringList out;
        for (int i = 0; i < list_->count(); ++i) out << list_->item(i)->text();
        return out;
    }
    void press_row(int row) {
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, {},
                          list_->visualItemRect(list_->item(row)).center());
    }
    QListWidget* list() const { return list_; }
    ui::AirportPane* pane() const { return pane_; }

  private:
    Harness& h_;
    QListWidget* list_ = nullptr;
    ui::AirportPane* pane_ = nullptr;
};

}  // namespace

class AirportsTest : public QObject {
    Q_OBJECT

  private slots:
    void findAndChoose_selectOnlyThenChooseOnPress();
    void editAndAdd_fromTheLookupFile_areSavedAndChosen();
    void coordinateBoxes_takeOnlyNumberKeys();
    void removeSortAndShow();
};

void AirportsTest::findAndChoose_selectOnlyThenChooseOnPress() {
    Harness h;
    AirportsRoad road(h);
    QCOMPARE(road.names().size(), 9);
    QSignalSpy chosen(road.pane(), &ui::AirportPane::airportChosen);

    QTest::keyClicks(h.child<QLineEdit>("Text5"), QStringLiteral(" FURT "));
    QTest::keyClick(h.child<QLineEdit>("Text5"), Qt::Key_Return);
    QCOMPARE(road.list()->currentRow(), 2);  // Frankfurt, shown but not chosen
    QCOMPARE(chosen.count(), 0);
    h.child<QLineEdit>("Text5")->setText(QStringLiteral("Gatwick"));
    h.click_button("command7");
    QCOMPARE(q(h.fake.messages.back().text), QStringLiteral("Gatwick Not found"));

    road.press_row(0);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(),
             QStringLiteral(" 51.4775009155273/ -0.461388885974884"));
    QCOMPARE(h.window().session().live_view.plot.picture_zoom, 1.0f);
}

void AirportsTest::editAndAdd_fromTheLookupFile_areSavedAndChosen() {
    Harness h;
    AirportsRoad road(h);
    QSignalSpy chosen(road.pane(), &ui::AirportPane::airportChosen);

    road.press_row(1);  // Schiphol
    in_editor(h, "command10_0", [](QWidget& w) {
        QCOMPARE(in<QLineEdit>(w, "Text5")->text(), QStringLiteral("Schiphol "));
        QVERIFY(in<QCheckBox>(w, "Check6")->isChecked());
        QVERIFY(in<QWidget>(w, "command9_1")->isVisible());
        QVERIFY(!in<QWidget>(w, "command9_0")->isVisible());
        in<QLineEdit>(w, "Text5")->setText(QStringLiteral("Amsterdam Schiphol"));
        press(w, "command9_1");
    });
    QCOMPARE(road.names().at(1), QStringLiteral("Amsterdam Schiphol"));
    QVERIFY(common::read_file(road.file("airplst")).find("Amsterdam Schiphol#") !=
            std::string::npos);
    QCOMPARE(chosen.count(), 2);  // the press and the edit

    // Add: a lower-case code finds the upper-case one; Yes takes it, "Add" adds and chooses it.
    h.fake.answers = {platform::Answer::Yes};
    in_editor(h, "command10_1", [&h](QWidget& w) {
        QVERIFY(in<QWidget>(w, "command9_0")->isVisible());
        QVERIFY(!in<QWidget>(w, "command9_1")->isVisible());
        QTest::keyClicks(in<QLineEdit>(w, "Text5"), QStringLiteral("egkk"));
        press(w, "command11");
        QCOMPARE(q(h.fake.messages.back().text),
                 QStringLiteral("Found:\r\n\r\nEGKK London Gatwick\r\n\r\nUse Airport?"));
        QCOMPARE(in<QLineEdit>(w, "Text5")->text(), QStringLiteral("EGKK London Gatwick"));
        QCOMPARE(in<QLineEdit>(w, "Text6_0")->text(), QStringLiteral("51.15"));
        press(w, "command9_0");
    });
    QCOMPARE(road.names().last(), QStringLiteral("EGKK London Gatwick"));
    QCOMPARE(road.list()->currentRow(), 9);
    QCOMPARE(chosen.last().at(0).toString(), QStringLiteral("51.15/-0.18"));
    QVERIFY(common::read_file(road.file("airplst")).find("EGKK London Gatwick#51.15/-0.18\r\n") !=
            std::string::npos);

    // The same airport again is refused before any question, and a name with "#" is refused.
    in_editor(h, "command10_1", [&h](QWidget& w) {
        in<QLineEdit>(w, "Text5")->setText(QStringLiteral("LGW"));
        press(w, "command11");
        QCOMPARE(q(h.fake.messages.back().text), QStringLiteral("Already contains:EGKK"));
        in<QLineEdit>(w, "Text5")->setText(QStringLiteral("Home#1"));
        press(w, "command9_0");
        QCOMPARE(q(h.fake.messages.back().text), q(airports::kNameWithHashMessage));
        QVERIFY(w.isVisible());
    });
    QCOMPARE(road.names().size(), 10);
}

void AirportsTest::coordinateBoxes_takeOnlyNumberKeys() {
    Harness h;
    AirportsRoad road(h);
    in_editor(h, "command10_1", [](QWidget& w) {
        auto* lat = in<QLineEdit>(w, "Text6_0");
        lat->clear();
        QTest::keyClicks(lat, QStringLiteral("5a1,x-7 "));
        QCOMPARE(lat->text(), QStringLiteral("51,-7"));
        QTest::keyClick(lat, Qt::Key_Backspace);
        QCOMPARE(lat->text(), QStringLiteral("51,-"));
    });
}

void AirportsTest::removeSortAndShow() {
    Harness h;
    AirportsRoad road(h);
    QSignalSpy cleared(road.pane(), &ui::AirportPane::trafficCleared);
    h.click_button("command11");
    QCOMPARE(q(h.fake.messages.back().text), QStringLiteral("Please select."));

    road.list()->setCurrentRow(0);
    road.press_row(0);
    h.fake.answers = {platform::Answer::Yes};
    h.click_button("command11");
    QCOMPARE(q(h.fake.messages.back().text), QStringLiteral("Remove Heathrow ?"));
    QCOMPARE(road.names().size(), 8);
    QCOMPARE(cleared.count(), 1);

    // Sorting reads the saved file: the removal stays.
    h.child<QAction>("mtls1")->trigger();
    QCOMPARE(road.names().first(), QStringLiteral("Frankfurt "));
    QCOMPARE(road.names().last(), QStringLiteral("Schiphol "));
    QVERIFY(!road.names().contains(QStringLiteral("Heathrow ")));

    h.child<QAction>("mtls0")->trigger();
    QCOMPARE(h.fake.edited_files.back(), road.file("airplst"));
}

QTEST_MAIN(AirportsTest)
#include "airports_test.moc"

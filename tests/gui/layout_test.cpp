// The main window's docking at three sizes: the models pane on the right edge, the live view
// from the left edge up to it, flight list and picture stacked right of the airport list, the
// airport commands at the bottom, the log list filling the height above "Refresh List".

#include <QListWidget>
#include <QTest>

#include "ui/live_view.hpp"
#include "window_harness.hpp"

using gui_support::Harness;

namespace {

QRect in_window(const QWidget* w, const QWidget& window) {
    return QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void dockingHoldsAtThreeSizes();
};

void LayoutTest::dockingHoldsAtThreeSizes() {
    Harness h;
    h.open_on_logs({{"log2024051314.txt", "\r\n"}});
    QWidget& w = h.window();
    // The smallest the window goes (its minimum size), a usual and a large one.
    for (const QSize size : {QSize(200, 200), QSize(1500, 860), QSize(1900, 1050)}) {
        h.click_toggle("logs1");
        w.resize(size);
        QTest::qWait(50);
        const QRect frame5 = in_window(h.child<QWidget>("Frame5"), w);
        const QRect frame3 = in_window(h.child<QWidget>("Frame3"), w);
        const QRect list7 = in_window(h.child<QWidget>("List7_0"), w);
        const QRect frame4 = in_window(h.child<QWidget>("Frame4"), w);
        const QRect list8 = in_window(h.child<QWidget>("List8"), w);
        const QRect p1 = in_window(h.child<QWidget>("p1"), w);
        const QString at = QStringLiteral("%1x%2").arg(w.width()).arg(w.height());
        QVERIFY2(w.width() - frame5.right() < 40, qPrintable(at));
        QVERIFY2(frame3.left() < 20 && frame3.right() < frame5.left(), qPrintable(at));
        QVERIFY2(frame5.left() - frame3.right() < 30, qPrintable(at));
        QVERIFY2(list8.left() > list7.right() && p1.left() == list8.left(), qPrintable(at));
        QVERIFY2(p1.top() > list8.bottom() && p1.width() == list8.width(), qPrintable(at));
        QVERIFY2(frame3.bottom() - frame4.bottom() < 30 && frame4.top() > list7.bottom(),
                 qPrintable(at));
        QVERIFY2(list7.height() > frame3.height() / 2, qPrintable(at));
        const QRect frame1 = in_window(h.child<QWidget>("Frame1"), w);
        QVERIFY2(frame1.top() > list7.bottom() && frame4.top() > frame1.bottom(), qPrintable(at));
        QVERIFY2(p1.height() > 50 && list8.height() > 30, qPrintable(at));

        h.click_toggle("logs0");
        QTest::qWait(50);
        const QRect list4 = in_window(h.child<QWidget>("List4"), w);
        const QRect refresh = in_window(h.child<QWidget>("command4_1"), w);
        QVERIFY2(list4.left() < 30 && refresh.top() > list4.bottom(), qPrintable(at));
        QVERIFY2(w.height() - refresh.bottom() < 60, qPrintable(at));
    }
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"

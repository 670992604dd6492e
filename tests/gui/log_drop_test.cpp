// Dropping a log file on the main window: from a "logs" folder, that folder is adopted and the
// file chosen; from elsewhere the file is listed alone; anything else is refused.

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>

#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::numbered_log;
using gui_support::numbered_ref;
using gui_support::q;

namespace {

// Drags the items over the window and drops them there when it takes them; true when it did.
bool drop_on(Harness& h, const QStringList& paths, const QString& text = {}) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << (p.contains(':') ? QUrl(p) : QUrl::fromLocalFile(p));
    if (!urls.isEmpty()) mime.setUrls(urls);
    if (!text.isEmpty()) mime.setText(text);
    const QPoint pos = h.window().rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.window(), &enter);
    QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted()) QApplication::sendEvent(&h.window(), &drop);
    return enter.isAccepted() && drop.isAccepted();
}

}  // namespace

class LogDropTest : public QObject {
    Q_OBJECT

  private slots:
    void fromLogsFolder_adoptsTheFolderAndParses() {
        Harness h;
        QVERIFY(common::write_file_atomic(h.in_logs("log2024051313.txt"), numbered_log(2)));
        QVERIFY(common::write_file_atomic(h.in_logs("log2024051314.txt"), numbered_log(30)));
        h.open();
        for (int drop = 1; drop <= 2; ++drop) {  // the chosen log dropped again parses again
            QVERIFY(drop_on(h, {q(h.in_logs("log2024051314.txt"))}));
            QCOMPARE(h.fake.busy_on_calls, drop);
        }
        QCOMPARE(h.log_labels(), QStringList({"05 13 : 1300", "05 13 : 1400"}));
        QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 1);
        QCOMPARE(h.window().session().frame.logs_folder, h.logs_folder());
        QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(h.logs_folder()));
        QCOMPARE(h.shown(1, logs::kColumnRef), numbered_ref(30));
    }

    void fromElsewhere_listsTheFileAloneInTheLogView() {
        Harness h;
        const std::string file = common::join_path(h.root(), "flight.txt");
        QVERIFY(common::write_file_atomic(file, numbered_log(3)));
        h.open_on_logs({{"log2024051314.txt", numbered_log(5)}});
        h.click_toggle("logs1");  // the live view
        QVERIFY(drop_on(h, {q(file)}));
        QCOMPARE(h.log_labels(), QStringList({"flight.txt"}));
        QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 0);
        QCOMPARE(h.window().session().frame.logs_folder, h.logs_folder());
        QCOMPARE(h.shown(1, logs::kColumnRef), numbered_ref(3));
        QVERIFY(h.child<QCheckBox>("logs0")->isChecked());
    }

    void otherDrops_areRefused() {
        Harness h;
        h.open_on_logs(
            {{"log2024051313.txt", numbered_log(2)}, {"log2024051314.txt", numbered_log(4)}});
        h.click_log(0);
        const QString a = q(h.in_logs("log2024051313.txt")), b = q(h.in_logs("log2024051314.txt"));
        for (const QStringList& paths : {QStringList{a, b},
                                         {"https://example.com/log1.txt"},
                                         {q(h.logs_folder())},
                                         {q(h.in_logs("log2024051399.txt"))}}) {
            QVERIFY2(!drop_on(h, paths), qPrintable(paths.join(' ')));
        }
        QVERIFY(!drop_on(h, {}, QStringLiteral("some text")));
        QCOMPARE(h.log_labels().size(), 2);
        QCOMPARE(h.window().session().logs.log.parse.record_count, 2);
    }
};

QTEST_MAIN(LogDropTest)
#include "log_drop_test.moc"

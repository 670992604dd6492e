// Dropping a log file on the main window: from a "logs" folder, that folder is adopted and the
// file chosen; from elsewhere the file is listed alone; anything else is refused.

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::q;

namespace {

// Drags the items over the window and, when the window takes them, drops them. Returns whether
// the window took them.
bool drop_on(Harness& h, const QList<QUrl>& urls, const QString& text = {}) {
    QMimeData mime;
    if (!urls.isEmpty()) mime.setUrls(urls);
    if (!text.isEmpty()) mime.setText(text);
    const QPoint pos = h.window().rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.window(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.window(), &drop);
    return drop.isAccepted();
}

QUrl file_url(const std::string& path) {
    return QUrl::fromLocalFile(q(path));
}

}  // namespace

class LogDropTest : public QObject {
    Q_OBJECT

  private slots:
    void dropFromLogsFolder_adoptsTheFolderAndParses();
    void dropFromElsewhere_listsTheFileAlone();
    void otherDrops_areRefused();
};

void LogDropTest::dropFromLogsFolder_adoptsTheFolderAndParses() {
    Harness h;
    QVERIFY(
        common::write_file_atomic(h.in_logs("log2024051313.txt"), gui_support::numbered_log(2)));
    QVERIFY(
        common::write_file_atomic(h.in_logs("log2024051314.txt"), gui_support::numbered_log(30)));
    h.open();
    QVERIFY(drop_on(h, {file_url(h.in_logs("log2024051314.txt"))}));
    const app::Session& s = h.window().session();
    QCOMPARE(h.log_labels(), QStringList({"05 13 : 1300", "05 13 : 1400"}));
    QCOMPARE(h.child<QListWidget>("List4")->currentRow(), 1);
    QCOMPARE(s.frame.logs_folder, h.logs_folder());
    QCOMPARE(h.child<QLineEdit>("Text1")->text(), q(h.logs_folder()));
    QCOMPARE(s.logs.log.parse.record_count, 30);
    QCOMPARE(h.shown(1, logs::kColumnRef), gui_support::numbered_ref(30));

    // The chosen log dropped again parses again, as "Update" does.
    const int parses = h.fake.busy_on_calls;
    QVERIFY(drop_on(h, {file_url(h.in_logs("log2024051314.txt"))}));
    QCOMPARE(h.fake.busy_on_calls, parses + 1);
}

void LogDropTest::dropFromElsewhere_listsTheFileAlone() {
    Harness h;
    const std::string other = common::join_path(h.root(), "saved");
    QVERIFY(common::create_folder(other));
    const std::string file = common::join_path(other, "flight.txt");
    QVERIFY(common::write_file_atomic(file, gui_support::numbered_log(3)));
    h.open_on_logs({{"log2024051314.txt", gui_support::numbered_log(5)}});
    h.click_log(0);
    h.click_toggle("logs1");  // the live view: a drop brings the log view back

    QVERIFY(drop_on(h, {file_url(file)}));
    const app::Session& s = h.window().session();
    QCOMPARE(h.log_labels(), QStringList({"flight.txt"}));
    QCOMPARE(s.logs.list.chosen, 0);
    QCOMPARE(s.frame.logs_folder, h.logs_folder());
    QCOMPARE(s.logs.log.parse.record_count, 3);
    QCOMPARE(h.shown(1, logs::kColumnRef), gui_support::numbered_ref(3));
    QVERIFY(h.child<QCheckBox>("logs0")->isChecked());
}

void LogDropTest::otherDrops_areRefused() {
    Harness h;
    h.open_on_logs({{"log2024051313.txt", gui_support::numbered_log(2)},
                    {"log2024051314.txt", gui_support::numbered_log(4)}});
    h.click_log(0);
    const QList<QList<QUrl>> refused{
        {file_url(h.in_logs("log2024051313.txt")), file_url(h.in_logs("log2024051314.txt"))},
        {QUrl(QStringLiteral("https://example.com/log2024051314.txt"))},
        {file_url(h.logs_folder())},
        {file_url(h.in_logs("log2024051399.txt"))},
    };
    for (const auto& urls : refused) QVERIFY(!drop_on(h, urls));
    QVERIFY(!drop_on(h, {}, QStringLiteral("some text")));
    QCOMPARE(h.log_labels().size(), 2);
    QCOMPARE(h.window().session().logs.list.chosen, 0);
    QCOMPARE(h.window().session().logs.log.parse.record_count, 2);
}

QTEST_MAIN(LogDropTest)
#include "log_drop_test.moc"

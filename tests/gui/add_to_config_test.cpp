// "Add to Config" from a clicked suggestion to the files on disk, with each answer.

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "window_harness.hpp"

using gui_support::Harness;
using gui_support::q;

namespace {
int yellow_pixels(const Harness& h) {
    const QImage table = h.grab_table();
    return gui_support::count_pixels(table, table.rect(),
                                     [](QColor c) { return c == QColor(255, 255, 0); });
}
}  // namespace

class AddToConfigTest : public QObject {
    Q_OBJECT

  private slots:
    void suggestionThenAdd_onlyYesWritesBothFiles();
};

void AddToConfigTest::suggestionThenAdd_onlyYesWritesBothFiles() {
    Harness h;
    const std::string config = common::join_path(h.root(), "config");
    const std::string json = common::join_path(config, "ModelMatching.json");
    const std::string copy = common::join_path(config, "ModelMatching_.json");
    QVERIFY(common::create_folder(config));
    const std::string before = "{\n  \"B738\":\"Boeing 737-800\"\n}\n";  // LF, as editors write
    QVERIFY(common::write_file_atomic(json, before));
    h.open_on_logs({{"log2024051314.txt", gui_support::log_text(gui_support::three_spawns())}});
    h.click_log(0);

    auto* suggestions = h.child<QListWidget>("List1_0");
    QCOMPARE(suggestions->count(), 1);
    QTest::mouseClick(suggestions->viewport(), Qt::LeftButton, {},
                      suggestions->visualItemRect(suggestions->item(0)).center());
    const QString type = h.child<QLineEdit>("Text4_0")->text();
    const QString model = h.child<QLineEdit>("Text4_1")->text();
    QCOMPARE(type, QStringLiteral("A20N"));
    QVERIFY(!model.isEmpty());
    QVERIFY(yellow_pixels(h) > 0);  // the suggestion's spawn is highlighted
    const QString entry = QStringLiteral("\"%1\":\"%2\"").arg(type, model);

    // No and Cancel change nothing.
    for (platform::Answer answer : {platform::Answer::No, platform::Answer::Cancel}) {
        h.fake.messages.clear();
        h.fake.answers.push_back(answer);
        h.click_button("command4_2");
        QCOMPARE(h.fake.messages.size(), std::size_t{1});
        QVERIFY(h.fake.messages[0].buttons == platform::Buttons::YesNoCancel);
        QCOMPARE(q(h.fake.messages[0].text), "Add to config.json?\r\n\r\n" + entry + ",");
        QCOMPARE(q(common::read_file(json)), q(before));
        QVERIFY(!common::file_exists(copy));
    }

    // Yes writes the sorted, valid file and its copy, then says so.
    h.fake.messages.clear();
    h.fake.answers.push_back(platform::Answer::Yes);
    h.click_button("command4_2");
    QCOMPARE(h.fake.messages.size(), std::size_t{2});
    QCOMPARE(q(h.fake.messages[1].text), "Added:\r\n\r\n" + entry + ",");
    QCOMPARE(yellow_pixels(h), 0);  // the first page drawn again, without the highlight
    const QString after = "{\r\n" + entry + ",\r\n\"B738\":\"Boeing 737-800\"\r\n}\r\n";
    QCOMPARE(q(common::read_file(json)), after);
    QCOMPARE(q(common::read_file(copy)), after);

    // The same pair again, in another letter case, is already there.
    h.fake.messages.clear();
    h.child<QLineEdit>("Text4_0")->setText(type.toLower());
    h.click_button("command4_2");
    QCOMPARE(h.fake.messages.size(), std::size_t{1});
    QVERIFY(q(h.fake.messages[0].text).startsWith(QStringLiteral("Config file already contains:")));
    QCOMPARE(q(common::read_file(json)), after);
}

QTEST_MAIN(AddToConfigTest)
#include "add_to_config_test.moc"

// Pictures of the program's windows for the README, taken on a real display (run it under Xvfb
// with a window manager: scripts/screenshot.sh does): the live view with a canned feed, and the
// Settings, Updates, About and airport editor windows. The platform is the tests' fake, so no
// network and no real folder picker are involved.
//
// skelvar-screens BIN_DIR OUT_DIR   (BIN_DIR: the program folder whose system/ holds the icons)

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/file_io.hpp"
#include "fake_platform.hpp"
#include "test_paths.hpp"
#include "ui/about_window.hpp"
#include "ui/airport_editor_window.hpp"
#include "ui/main_window.hpp"
#include "ui/program_icon.hpp"
#include "ui/settings_window.hpp"
#include "ui/updates_window.hpp"

namespace {

bool save(QWidget& w, const QString& out_dir, const char* name) {
    QTest::qWait(300);
    const QString path = out_dir + "/" + QString::fromLatin1(name);
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "could not save", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ui::program_icon());
    if (argc < 3) {
        std::fprintf(stderr, "usage: skelvar-screens BIN_DIR OUT_DIR\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const QString out_dir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out_dir);
    QTemporaryDir program;
    const fs::path system = fs::path(program.path().toStdString()) / "system";
    fs::copy(fs::path(argv[1]) / "system", system, fs::copy_options::recursive);
    for (const char* table : {"airlines", "iata"}) {
        fs::copy_file(testing_support::data_path(std::string("live/system/") + table),
                      system / table, fs::copy_options::overwrite_existing);
    }

    testing_support::FakePlatform fake;
    fake.http_answers.push_back(
        {true, 200, common::read_file(testing_support::data_path("live/feed.json")), {}, false});
    ui::MainWindow window(fake, program.path().toStdString(), false);
    window.resize(1300, 780);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    auto* list7 = window.findChild<QListWidget*>(QStringLiteral("List7_0"));
    QTest::mouseClick(list7->viewport(), Qt::LeftButton, {},
                      list7->visualItemRect(list7->item(0)).center());
    bool ok = save(window, out_dir, "live-view.png");

    app::Session& s = window.session();
    s.matching.json_path = "C:\\Users\\pilot\\Documents\\Traffic\\config\\ModelMatching.json";
    ui::SettingsWindow settings(fake, s, &window);
    settings.show();
    ok = save(settings, out_dir, "settings.png") && ok;
    settings.close();
    ui::UpdatesWindow updates(fake, &window);
    updates.show();
    ok = save(updates, out_dir, "updates.png") && ok;
    updates.close();
    ui::AboutWindow about(fake, QDate::currentDate().year(), &window);
    about.show();
    ok = save(about, out_dir, "about.png") && ok;
    about.close();
    s.airports.list.selected = 0;
    s.airports.edit_mode = true;
    s.airports.editor = {"Heathrow ", " 51.4775009155273", " -0.461388885974884"};
    ui::AirportEditorWindow editor(fake, s, {}, &window);
    editor.show();
    ok = save(editor, out_dir, "airport-editor.png") && ok;
    editor.close();
    return ok ? 0 : 1;
}

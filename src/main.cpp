#include <QApplication>

#include "app/program_layout.hpp"
#include "platform/core/locale_info.hpp"
#include "platform/qt/data_folder.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/main_window.hpp"
#include "ui/program_icon.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ui::program_icon());
    platform::QtPlatform platform;
    const std::string folder = platform::window_data_folder(
        [](const std::string& root) { return app::ProgramLayout(root).system_folder(); });
    ui::MainWindow window(platform, folder, platform::locale_uses_decimal_comma());
    platform.set_owner(&window);
    window.show();
    return app.exec();
}

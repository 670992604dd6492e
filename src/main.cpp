#include <QApplication>

#include "platform/core/locale_info.hpp"
#include "platform/core/program_folder.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/main_window.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::QtPlatform platform;
    std::string folder = platform::program_folder();
    if (folder.empty()) folder = platform::from_display(QCoreApplication::applicationDirPath());
    ui::MainWindow window(platform, folder, platform::locale_uses_decimal_comma());
    platform.set_owner(&window);
    window.show();
    return app.exec();
}

#include "ui/about_window.hpp"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/build_settings.hpp"
#include "app/update_check.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/link_label.hpp"

namespace ui {

AboutWindow::AboutWindow(platform::Platform& platform, int year, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Infor"));
    setWindowTitle(QStringLiteral("Information"));
    setModal(true);
    auto* row = new QHBoxLayout(this);

    // The program's icon, when the build gave it one.
    if (const QIcon icon = QApplication::windowIcon(); !icon.isNull()) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image1"));
        image->setPixmap(icon.pixmap(64, 64));
        row->addWidget(image, 0, Qt::AlignTop);
    }
    auto* column = new QVBoxLayout;
    row->addLayout(column);

    auto* name = new QLabel(QStringLiteral("Skelvar"), this);
    name->setObjectName(QStringLiteral("Label9"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    auto* version =
        new QLabel(platform::to_display(app::about_version_text(app::kAppVersion, year)), this);
    version->setObjectName(QStringLiteral("Label1"));
    auto* site =
        new LinkLabel(QStringLiteral("Label2"), platform::to_display(app::kMakerSite), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    column->addWidget(name);
    column->addWidget(version);
    column->addWidget(site);
    column->addWidget(ok, 0, Qt::AlignRight);

    // The status is not checked: nothing is said when no browser opens.
    connect(site, &LinkLabel::pressed, this,
            [&platform] { platform.open_url(app::maker_page_url(app::kMakerSite)); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace ui

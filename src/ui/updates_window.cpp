#include "ui/updates_window.hpp"

#include <QLabel>
#include <QVBoxLayout>

#include "app/build_settings.hpp"
#include "app/update_check.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/link_label.hpp"
#include "ui/picture_button.hpp"

namespace ui {

UpdatesWindow::UpdatesWindow(platform::Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName(QStringLiteral("updat"));
    setWindowTitle(QStringLiteral("Updates"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* label2 = new QLabel(
        QStringLiteral("Current Version:") + platform::to_display(app::kAppVersion), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label1_ = new LinkLabel(QStringLiteral("Label1"),
                            QStringLiteral("Click here to check for update"), this);
    result_ = new QLabel(QStringLiteral(" "), this);
    result_->setObjectName(QStringLiteral("Label3_0"));
    website_ = new LinkLabel(QStringLiteral("Label3_1"),
                             platform::to_display(app::kCheckWebsiteCaption), this);
    website_->hide();
    close_ = new PictureButton(QStringLiteral("command2"), this);
    close_->style_button(QStringLiteral("Close"), 10, -1);
    setMouseTracking(true);

    for (QWidget* w : {static_cast<QWidget*>(label2), static_cast<QWidget*>(label1_),
                       static_cast<QWidget*>(result_), static_cast<QWidget*>(website_),
                       static_cast<QWidget*>(close_)}) {
        layout->addWidget(w);
    }
    connect(label1_, &LinkLabel::pressed, this, &UpdatesWindow::run_check);
    connect(website_, &LinkLabel::pressed, this, &UpdatesWindow::open_website);
    connect(close_, &PictureButton::hovered, this, [this] { close_->style_button({}, 11, -1); });
    connect(close_, &PictureButton::clicked, this, &QDialog::accept);
}

void UpdatesWindow::mouseMoveEvent(QMouseEvent*) {
    close_->style_button({}, 10, -1);
}

void UpdatesWindow::run_check() {
    platform_.busy_on();
    // Hidden for good: the check runs once per opening of the window.
    label1_->hide();
    const app::UpdateCheck check = app::check_update(
        [this](std::string_view url, std::string_view agent, int timeout_ms) {
            return platform_.http_get(url, agent, timeout_ms);
        },
        app::update_url(app::kMakerSite), app::kAppVersion);
    result_->setText(platform::to_display(check.text));
    website_->setVisible(check.show_website());
    platform_.busy_off();
}

void UpdatesWindow::open_website() {
    if (!platform_.open_url(app::program_page_url(app::kMakerSite))) {
        platform_.message(app::kNoHtmlAssociationMessage, platform::Buttons::Ok,
                          platform::Icon::None);
    }
    for (int i = 0; i < 3; ++i) platform_.process_events();
}

}  // namespace ui

#include "ui/settings_window.hpp"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/file_io.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/picture_button.hpp"

namespace ui {

SettingsWindow::SettingsWindow(platform::Platform& platform, app::Session& session, QWidget* parent)
    : QDialog(parent), platform_(platform), session_(session) {
    setObjectName(QStringLiteral("setting"));
    setWindowTitle(QStringLiteral("Settings"));
    setMouseTracking(true);
    installEventFilter(this);
    text1_ = new QLineEdit(platform::to_display(session_.matching.json_path), this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setMinimumWidth(420);
    command2_ = new PictureButton(QStringLiteral("command2"), this);
    command9_[0] = new PictureButton(QStringLiteral("command9_0"), this);
    command9_[1] = new PictureButton(QStringLiteral("command9_1"), this);
    command2_->style_button(QStringLiteral(">>"), 10, 0);
    command9_[0]->style_button(QStringLiteral("Cancel"), 10, 0);
    command9_[1]->style_button(QStringLiteral("Apply"), 10, 1);

    auto* path = new QHBoxLayout;
    path->addWidget(text1_, 1);
    path->addWidget(command2_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(command9_[0]);
    buttons->addWidget(command9_[1]);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(path);
    outer->addLayout(buttons);

    connect(command2_, &PictureButton::clicked, this, &SettingsWindow::command2_mouse_down);
    connect(command9_[0], &PictureButton::clicked, this, &QDialog::reject);
    connect(command9_[1], &PictureButton::clicked, this, [this] {
        session_.matching.json_path = platform::from_display(text1_->text());
        accept();
    });
    connect(command2_, &PictureButton::hovered, this,
            [this] { command2_->style_button({}, 1, 0); });
    for (int i = 0; i < 2; ++i) {
        connect(command9_[i], &PictureButton::hovered, this,
                [this, i] { command9_[i]->style_button({}, 1, i); });
    }
}

void SettingsWindow::command2_mouse_down() {
    std::string start = session_.matching.json_path;
    if (start.empty() || !common::folder_exists(start)) start = session_.frame.layout.root();
    // The answer goes into the box even when the picker was cancelled.
    text1_->setText(platform::to_display(platform_.browse_folder(start, "Select Log Folder")));
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == this && e->type() == QEvent::MouseMove) {
        command2_->style_button({}, 0, 0);
        command9_[0]->style_button({}, 0, 0);
        command9_[1]->style_button({}, 0, 1);
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace ui

#include "ui/frame_bar.hpp"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>

#include "platform/qt/qt_platform.hpp"
#include "ui/picture_button.hpp"

namespace ui {

FrameBar::FrameBar(platform::Platform& platform, app::Session& session, QWidget* parent)
    : QWidget(parent), platform_(platform), session_(session) {
    setObjectName(QStringLiteral("FrameBar"));
    text1_ = new QLineEdit(platform::to_display(session_.frame.text1), this);
    text1_->setObjectName(QStringLiteral("Text1"));
    command2_ = new PictureButton(QStringLiteral("command2"), this);
    logs_[0] = new QCheckBox(QStringLiteral("Logs"), this);
    logs_[0]->setObjectName(QStringLiteral("logs0"));
    logs_[1] = new QCheckBox(QStringLiteral("Live Airports"), this);
    logs_[1]->setObjectName(QStringLiteral("logs1"));
    logs_[0]->setChecked(session_.frame.logs_checked);
    logs_[1]->setChecked(!session_.frame.logs_checked);
    text3_ = new QLineEdit(platform::to_display(session_.frame.text3), this);
    text3_->setObjectName(QStringLiteral("Text3"));
    command1_ = new PictureButton(QStringLiteral("Command1"), this);
    check5_ = new QCheckBox(QStringLiteral("Match Case"), this);
    check5_->setObjectName(QStringLiteral("check5"));
    command2_->style_button(QStringLiteral(">>"), 10, 0);
    command1_->style_button(QStringLiteral("Search"), 10, 0);

    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(0, 0, 0, 0);
    row_->addWidget(text1_, 3);
    row_->addWidget(command2_);
    row_->addSpacing(12);
    row_->addWidget(logs_[0]);
    row_->addWidget(logs_[1]);
    row_->addSpacing(12);
    status_index_ = row_->count();
    row_->addStretch(1);
    row_->addWidget(text3_, 2);
    row_->addWidget(command1_);
    row_->addWidget(check5_);

    connect(text1_, &QLineEdit::textChanged, this,
            [this](const QString& t) { session_.frame.text1 = platform::from_display(t); });
    connect(text3_, &QLineEdit::textChanged, this,
            [this](const QString& t) { session_.frame.text3 = platform::from_display(t); });
    connect(command2_, &PictureButton::clicked, this, &FrameBar::command2_click);
    connect(logs_[0], &QCheckBox::clicked, this, [this] { logs_mouse_up(0); });
    connect(logs_[1], &QCheckBox::clicked, this, [this] { logs_mouse_up(1); });
    const auto search = [this] {
        emit searchRequested(session_.frame.text3, check5_->isChecked());
    };
    connect(command1_, &PictureButton::clicked, this, search);
    connect(text3_, &QLineEdit::returnPressed, this, search);
    connect(text3_, &QLineEdit::textEdited, this, &FrameBar::searchTextTyped);
    connect(command2_, &PictureButton::hovered, this,
            [this] { command2_->style_button({}, 1, 0); });
    connect(command1_, &PictureButton::hovered, this,
            [this] { command1_->style_button({}, 1, 0); });
}

void FrameBar::add_status(QWidget* widget) {
    row_->insertWidget(status_index_, widget);
}

bool FrameBar::log_view_shown() const {
    return logs_[0]->isChecked();
}

bool FrameBar::match_case() const {
    return check5_->isChecked();
}

void FrameBar::rest_buttons() {
    command1_->style_button({}, 0, 0);
    command2_->style_button({}, 0, 0);
}

void FrameBar::logs_mouse_up(int index) {
    const bool ask =
        app::logs_mouse_up(session_, index, logs_[0]->isChecked(), logs_[1]->isChecked());
    logs_[0]->setChecked(session_.frame.logs_checked);
    logs_[1]->setChecked(!session_.frame.logs_checked);
    emit viewChanged(session_.frame.logs_checked);
    if (ask) chk_logs();
}

void FrameBar::show_log_view() {
    logs_[0]->setChecked(true);
    logs_mouse_up(0);
}

void FrameBar::chk_logs() {
    if (platform_.message(app::kChkLogsQuestion, platform::Buttons::YesNo,
                          platform::Icon::Question) == platform::Answer::Yes) {
        command2_click();
    }
}

void FrameBar::command2_click() {
    const std::string start = app::command2_start_folder(session_);
    const std::string chosen = platform_.browse_folder(start, "Select Log Folder");
    if (!chosen.empty()) adopt_folder(chosen);
}

void FrameBar::adopt_folder(const std::string& folder) {
    app::adopt_log_folder(session_, folder);
    text1_->setText(platform::to_display(session_.frame.text1));
    emit folderAdopted();
}

}  // namespace ui

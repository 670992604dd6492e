#include "ui/airport_editor_window.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "airports/airport_editor.hpp"
#include "app/airport_session.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/picture_button.hpp"

namespace ui {
namespace {

constexpr int kTwipsPerPixel = 15;

bool coordinate_text(const QString& text) {
    for (const QChar c : text) {
        if (!airports::coordinate_key_accepted(c.unicode())) return false;
    }
    return true;
}

}  // namespace

AirportEditorWindow::AirportEditorWindow(platform::Platform& platform, app::Session& session,
                                         std::function<void()> renamed, QWidget* parent)
    : QDialog(parent), platform_(platform), session_(session), renamed_(std::move(renamed)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Edit"));
    setMouseTracking(true);
    installEventFilter(this);

    text5_ = new QLineEdit(this);
    text5_->setObjectName(QStringLiteral("Text5"));
    text5_->setMinimumWidth(300);
    text5_->installEventFilter(this);
    for (int i = 0; i < 2; ++i) {
        text6_[i] = new QLineEdit(this);
        text6_[i]->setObjectName(QStringLiteral("Text6_%1").arg(i));
        text6_[i]->installEventFilter(this);
        // Typed keys are filtered as they come; pasted text that holds anything else is refused.
        connect(text6_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (!coordinate_text(text)) text6_[i]->undo();
        });
    }
    check6_ = new QCheckBox(QStringLiteral("Edit Name"), this);
    check6_->setObjectName(QStringLiteral("Check6"));
    command11_ = new PictureButton(QStringLiteral("command11"), this);
    command9_[0] = new PictureButton(QStringLiteral("command9_0"), this);
    command9_[1] = new PictureButton(QStringLiteral("command9_1"), this);
    command11_->style_button(QStringLiteral("Search"), 10, 0);
    command9_[0]->style_button(QStringLiteral("Add"), 10, 0);
    command9_[1]->style_button(QStringLiteral("Apply  "), 10, 1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Airport/ICAO"), this), 0, 0);
    grid->addWidget(text5_, 0, 1, 1, 2);
    grid->addWidget(command11_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Latitude"), this), 1, 0);
    grid->addWidget(text6_[0], 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Longitude"), this), 2, 0);
    grid->addWidget(text6_[1], 2, 1);
    grid->addWidget(check6_, 3, 0);
    // "Add" and "Apply  " share one place.
    grid->addWidget(command9_[0], 3, 3);
    grid->addWidget(command9_[1], 3, 3);

    const bool edit_mode = session_.airports.edit_mode;
    check6_->setChecked(edit_mode);
    command9_[0]->setVisible(!edit_mode);
    command9_[1]->setVisible(edit_mode);
    command9_[1]->raise();
    session_to_boxes();

    connect(command11_, &PictureButton::clicked, this, &AirportEditorWindow::command11_click);
    for (int i = 0; i < 2; ++i) {
        connect(command9_[i], &PictureButton::clicked, this, [this, i] { command9_click(i); });
        connect(command9_[i], &PictureButton::hovered, this,
                [this, i] { command9_[i]->style_button({}, 1, i); });
    }
    connect(command11_, &PictureButton::hovered, this,
            [this] { command11_->style_button({}, 1, 0); });
    connect(check6_, &QCheckBox::clicked, this, &AirportEditorWindow::check6_mouse_up);
}

void AirportEditorWindow::place(int window_left) {
    adjustSize();
    const QWidget* owner = parentWidget();
    if (owner == nullptr) return;
    const QRect outer = owner->frameGeometry();
    move(window_left, outer.bottom() + 1 - frameGeometry().height() - 200 / kTwipsPerPixel);
}

void AirportEditorWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!session_.airports.edit_mode) {
        QTimer::singleShot(0, text5_, [this] { text5_->setFocus(Qt::ActiveWindowFocusReason); });
    }
}

void AirportEditorWindow::boxes_to_session() {
    session_.airports.editor = {platform::from_display(text5_->text()),
                                platform::from_display(text6_[0]->text()),
                                platform::from_display(text6_[1]->text())};
}

void AirportEditorWindow::session_to_boxes() {
    const airports::EditorBoxes& boxes = session_.airports.editor;
    text5_->setText(platform::to_display(boxes.name));
    text6_[0]->setText(platform::to_display(boxes.latitude));
    text6_[1]->setText(platform::to_display(boxes.longitude));
}

void AirportEditorWindow::command11_click() {
    boxes_to_session();
    app::search_lookup(session_, platform_);
    session_to_boxes();
}

void AirportEditorWindow::command9_click(int index) {
    boxes_to_session();
    airports::AirportList& list = session_.airports.list;
    const std::optional<std::string> refusal =
        index == 0
            ? airports::add_airport(list, session_.airports.editor, session_.frame.comma_decimal)
            : airports::apply_name(list, session_.airports.editor.name);
    session_to_boxes();
    if (refusal) {
        platform_.message(*refusal);
        return;
    }
    session_.airports.list_changed = true;
    accept();
}

void AirportEditorWindow::check6_mouse_up() {
    command9_[1]->setVisible(check6_->isChecked());
    command9_[1]->raise();
}

void AirportEditorWindow::name_box_enter() {
    if (!check6_->isChecked()) {
        command11_click();
        return;
    }
    const std::optional<std::string> refusal =
        airports::rename_on_enter(session_.airports.list, platform::from_display(text5_->text()));
    if (refusal) {
        platform_.message(*refusal);
    } else if (renamed_) {
        renamed_();
    }
}

bool AirportEditorWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == text5_ && enter) {
            name_box_enter();
            return true;
        }
        // Keys that type a character are filtered; moving keys, Tab and Escape type none.
        const QString typed = key->text();
        if ((watched == text6_[0] || watched == text6_[1]) && !typed.isEmpty() &&
            typed.front().unicode() >= 0x20 &&
            !airports::coordinate_key_accepted(typed.front().unicode())) {
            return true;
        }
        // Enter would otherwise press the dialog's default button and close it.
        if (enter) return true;
    }
    if (watched == this && e->type() == QEvent::MouseMove) {
        command11_->style_button({}, 0, 0);
        command9_[0]->style_button({}, 0, 0);
        command9_[1]->style_button({}, 0, 1);
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace ui

#include "ui/airport_pane.hpp"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "app/airport_session.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/airport_editor_window.hpp"
#include "ui/picture_button.hpp"

namespace ui {
namespace {

// A press of a mouse button chooses the selected airport; the toolkit's own current-row changes
// (keys, focus) do not.
class AirportList final : public QListWidget {
  public:
    AirportList(std::function<void()> pressed, QWidget* parent)
        : QListWidget(parent), pressed_(std::move(pressed)) {}

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        QListWidget::mousePressEvent(e);
        pressed_();
    }

  private:
    std::function<void()> pressed_;
};

QFrame* frame(const QString& name, QWidget* parent, QObject* filter) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setMouseTracking(true);
    f->installEventFilter(filter);
    return f;
}

}  // namespace

AirportPane::AirportPane(platform::Platform& platform, app::Session& session,
                         std::function<int(QDialog&)> run_dialog, QWidget* parent)
    : QWidget(parent), platform_(platform), session_(session), run_dialog_(std::move(run_dialog)) {
    setObjectName(QStringLiteral("AirportPane"));
    list7_ = new AirportList([this] { list7_mouse_down(); }, this);
    list7_->setObjectName(QStringLiteral("List7_0"));

    frame1_ = frame(QStringLiteral("Frame1"), this, this);
    text5_ = new QLineEdit(frame1_);
    text5_->setObjectName(QStringLiteral("Text5"));
    text5_->installEventFilter(this);
    command7_ = new PictureButton(QStringLiteral("command7"), frame1_);
    auto* search_row = new QHBoxLayout(frame1_);
    search_row->setContentsMargins(0, 0, 0, 0);
    search_row->addWidget(text5_, 1);
    search_row->addWidget(command7_);

    frame4_ = frame(QStringLiteral("Frame4"), this, this);
    command10_[0] = new PictureButton(QStringLiteral("command10_0"), frame4_);
    command10_[1] = new PictureButton(QStringLiteral("command10_1"), frame4_);
    command11_ = new PictureButton(QStringLiteral("command11"), frame4_);
    auto* commands = new QHBoxLayout(frame4_);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addWidget(command10_[0]);
    commands->addWidget(command10_[1]);
    commands->addWidget(command11_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(list7_, 1);
    column->addWidget(frame1_);
    column->addSpacing(12);
    column->addWidget(frame4_, 0, Qt::AlignHCenter);
    setFixedWidth(210);

    command7_->style_button(QStringLiteral("Search List"), 10, 0);
    command10_[0]->style_button(QStringLiteral("Edit"), 10, 0);
    command10_[1]->style_button(QStringLiteral("Add"), 10, 1);
    command11_->style_button(QStringLiteral("Remove"), 10, 0);

    connect(command7_, &PictureButton::clicked, this, &AirportPane::command7_click);
    connect(command7_, &PictureButton::hovered, this,
            [this] { command7_->style_button({}, 1, 0); });
    for (int i = 0; i < 2; ++i) {
        connect(command10_[i], &PictureButton::clicked, this, [this, i] { command10_click(i); });
        connect(command10_[i], &PictureButton::hovered, this,
                [this, i] { command10_[i]->style_button({}, 1, i); });
    }
    connect(command11_, &PictureButton::clicked, this, &AirportPane::command11_click);
    connect(command11_, &PictureButton::hovered, this,
            [this] { command11_->style_button({}, 1, 0); });
    render_list();
}

void AirportPane::render_list() {
    const airports::AirportList& list = session_.airports.list;
    list7_->clear();
    for (const airports::Airport& a : list.items) list7_->addItem(platform::to_display(a.name));
    if (list.selected >= 0 && list.selected < list7_->count()) {
        list7_->setCurrentRow(list.selected);
        list7_->scrollToItem(list7_->currentItem());
    }
}

void AirportPane::sort_list() {
    app::sort_airports(session_);
    render_list();
}

void AirportPane::rest_buttons() {
    command7_->style_button({}, 0, 0);
    command10_[0]->style_button({}, 0, 0);
    command10_[1]->style_button({}, 0, 1);
    command11_->style_button({}, 0, 0);
}

void AirportPane::choose(const std::optional<std::string>& coords) {
    if (coords) emit airportChosen(platform::to_display(*coords));
}

void AirportPane::list7_mouse_down() {
    session_.airports.list.selected = list7_->currentRow();
    choose(app::choose_airport(session_, platform_));
}

void AirportPane::command7_click() {
    const airports::FindResult found =
        airports::find_airport(session_.airports.list, platform::from_display(text5_->text()));
    if (found.message) platform_.message(*found.message);
    if (!found.index) return;
    // Selecting only shows the airport; it is chosen by a press on it.
    session_.airports.list.selected = *found.index;
    list7_->setCurrentRow(*found.index);
    list7_->scrollToItem(list7_->currentItem());
}

void AirportPane::command10_click(int index) {
    if (!app::open_editor(session_, platform_, index == 0)) return;
    AirportEditorWindow editor(
        platform_, session_, [this] { render_list(); }, window());
    if (editor_left_) editor.place(editor_left_());
    run_dialog_(editor);
    if (!session_.airports.list_changed) return;
    const std::optional<std::string> coords = app::editor_closed(session_, platform_);
    render_list();
    choose(coords);
}

void AirportPane::command11_click() {
    if (!app::remove_airport(session_, platform_)) return;
    render_list();
    emit trafficCleared();
}

bool AirportPane::eventFilter(QObject* watched, QEvent* e) {
    if (watched == text5_ && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            command7_click();
            return true;
        }
    }
    if (e->type() == QEvent::MouseMove) {
        if (watched == frame1_) command7_->style_button({}, 0, 0);
        if (watched == frame4_) {
            command10_[0]->style_button({}, 0, 0);
            command10_[1]->style_button({}, 0, 1);
            command11_->style_button({}, 0, 0);
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace ui

#include "ui/main_window.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "common/file_io.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/picture_button.hpp"
#include "ui/spawn_table_widget.hpp"

namespace ui {
namespace {

QString qs(std::string_view s) {
    return platform::to_display(s);
}

platform::Icon icon_of(const common::Message& m) {
    return m.icon == common::Message::Icon::Information ? platform::Icon::Information
                                                        : platform::Icon::None;
}

QLabel* caption_label(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

MainWindow::MainWindow(platform::Platform& platform, std::string program_folder, bool comma_decimal,
                       QWidget* parent)
    : QMainWindow(parent), platform_(platform) {
    setObjectName(QStringLiteral("F1"));
    // Form_Load: the state first, then the controls that show it.
    session_ = app::Session(app::startup(std::move(program_folder), comma_decimal));
    build_controls();
    build_menus();
    style_all_buttons();
    text1_->setText(qs(session_.frame.text1));
    text3_->setText(qs(session_.frame.text3));
    logs_[0]->setChecked(session_.frame.logs_checked);
    logs_[1]->setChecked(!session_.frame.logs_checked);
    setWindowTitle(qs(app::cap(session_.frame)));
    resize(1500, 860);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());  // center_form
    }
    // The toggle's release handler, as if logs(0) had been released; no question yet.
    logs_mouse_up(0);
}

void MainWindow::build_controls() {
    surface_ = new QWidget(this);
    surface_->setObjectName(QStringLiteral("surface"));
    surface_->setMouseTracking(true);
    surface_->installEventFilter(this);
    setCentralWidget(surface_);

    text1_ = new QLineEdit(surface_);
    text1_->setObjectName(QStringLiteral("Text1"));
    command2_ = new PictureButton(QStringLiteral("command2"), surface_);
    logs_[0] = new QCheckBox(QStringLiteral("Logs"), surface_);
    logs_[0]->setObjectName(QStringLiteral("logs0"));
    logs_[1] = new QCheckBox(QStringLiteral("Live Airports"), surface_);
    logs_[1]->setObjectName(QStringLiteral("logs1"));
    label9_ = caption_label(QStringLiteral("label9"), QStringLiteral("Failed:0"), surface_);
    text3_ = new QLineEdit(surface_);
    text3_->setObjectName(QStringLiteral("Text3"));
    command1_ = new PictureButton(QStringLiteral("Command1"), surface_);
    check5_ = new QCheckBox(QStringLiteral("Match Case"), surface_);
    check5_->setObjectName(QStringLiteral("check5"));

    auto* top = new QHBoxLayout;
    top->addWidget(text1_, 3);
    top->addWidget(command2_);
    top->addSpacing(12);
    top->addWidget(logs_[0]);
    top->addWidget(logs_[1]);
    top->addSpacing(12);
    top->addWidget(label9_);
    top->addStretch(1);
    top->addWidget(text3_, 2);
    top->addWidget(command1_);
    top->addWidget(check5_);

    // Left column: the log list fills the height above "Refresh List".
    label10_3_ = caption_label(QStringLiteral("Label10_3"), QStringLiteral("Logs"), surface_);
    list4_ = new QListWidget(surface_);
    list4_->setObjectName(QStringLiteral("List4"));
    list4_->setContextMenuPolicy(Qt::CustomContextMenu);
    // The right button only opens the chosen log; it must not choose (and parse) another one.
    list4_->viewport()->installEventFilter(this);
    list4_->setFixedWidth(150);
    command4_[0] = new PictureButton(QStringLiteral("command4_0"), surface_);
    command4_[1] = new PictureButton(QStringLiteral("command4_1"), surface_);
    auto* left = new QVBoxLayout;
    left->addWidget(label10_3_);
    left->addWidget(list4_, 1);
    left->addWidget(command4_[0], 0, Qt::AlignHCenter);
    left->addSpacing(6);
    left->addWidget(command4_[1], 0, Qt::AlignHCenter);

    // Frame2: the spawn table, its scroll bar and the suggestion boxes.
    frame2_ = new QFrame(surface_);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setFrameShape(QFrame::StyledPanel);
    frame2_->setMouseTracking(true);
    frame2_->installEventFilter(this);
    table_ = new SpawnTableWidget(frame2_);
    table_->set_table(&session_.logs.table);
    v1_ = new QScrollBar(Qt::Vertical, frame2_);
    v1_->setObjectName(QStringLiteral("v1"));
    v1_->setRange(0, 0);
    v1_->setPageStep(logs::SpawnTable::kRows);
    list1_[0] = new QListWidget(frame2_);
    list1_[0]->setObjectName(QStringLiteral("List1_0"));
    list1_[1] = new QListWidget(frame2_);
    list1_[1]->setObjectName(QStringLiteral("List1_1"));
    list1_[1]->hide();  // the twin list only pairs each suggestion with its model
    text4_[0] = new QLineEdit(frame2_);
    text4_[0]->setObjectName(QStringLiteral("Text4_0"));
    text4_[1] = new QLineEdit(frame2_);
    text4_[1]->setObjectName(QStringLiteral("Text4_1"));
    command4_[2] = new PictureButton(QStringLiteral("command4_2"), frame2_);
    auto* suggest = new QVBoxLayout;
    suggest->addWidget(
        caption_label(QStringLiteral("Label10_0"), QStringLiteral("Airlines"), frame2_));
    suggest->addWidget(list1_[0], 1);
    suggest->addWidget(list1_[1]);
    suggest->addWidget(caption_label(QStringLiteral("Label10_1"), QStringLiteral("Type"), frame2_));
    suggest->addWidget(text4_[0]);
    suggest->addWidget(
        caption_label(QStringLiteral("Label10_2"), QStringLiteral("Suggested Typw"), frame2_));
    suggest->addWidget(text4_[1]);
    suggest->addWidget(command4_[2], 0, Qt::AlignHCenter);
    auto* frame2_layout = new QHBoxLayout(frame2_);
    frame2_layout->addWidget(table_, 1);
    frame2_layout->addWidget(v1_);
    frame2_layout->addLayout(suggest);
    frame2_layout->setStretch(2, 0);
    list1_[0]->setMinimumWidth(220);

    // Frame3: the live view shares the area of Frame2; Frame5 holds "Models Found".
    frame3_ = new QFrame(surface_);
    frame3_->setObjectName(QStringLiteral("Frame3"));
    frame3_->setFrameShape(QFrame::StyledPanel);
    frame5_ = new QFrame(surface_);
    frame5_->setObjectName(QStringLiteral("Frame5"));
    frame5_->setFrameShape(QFrame::StyledPanel);
    list3_ = new QListWidget(frame5_);
    list3_->setObjectName(QStringLiteral("list3_0"));
    auto* frame5_layout = new QVBoxLayout(frame5_);
    frame5_layout->addWidget(
        caption_label(QStringLiteral("Label8_0"), QStringLiteral("Models Found"), frame5_));
    frame5_layout->addWidget(list3_, 1);
    frame5_->setFixedWidth(150);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(frame2_, 1);
    body->addWidget(frame3_, 1);
    body->addWidget(frame5_);

    auto* outer = new QVBoxLayout(surface_);
    outer->addLayout(top);
    outer->addLayout(body, 1);

    mpop_ = new QMenu(this);
    mpop_->setObjectName(QStringLiteral("mpop"));
    QAction* mcop = mpop_->addAction(QStringLiteral("Copy"));
    mcop->setObjectName(QStringLiteral("mcop"));
    connect(mcop, &QAction::triggered, this, &MainWindow::mcop_click);

    connect(list4_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!relisting_ && row >= 0) list4_click(row);
    });
    connect(list4_, &QListWidget::customContextMenuRequested, this, &MainWindow::list4_mouse_down);
    connect(command4_[0], &PictureButton::clicked, this, [this] { command4_click(0); });
    connect(command4_[1], &PictureButton::clicked, this, [this] { command4_click(1); });
    connect(command4_[2], &PictureButton::clicked, this, [this] { command4_click(2); });
    connect(command2_, &PictureButton::clicked, this, &MainWindow::command2_click);
    connect(logs_[0], &QCheckBox::clicked, this, [this] { logs_mouse_up(0); });
    connect(logs_[1], &QCheckBox::clicked, this, [this] { logs_mouse_up(1); });
    connect(command1_, &PictureButton::clicked, this, &MainWindow::command1_click);
    connect(text3_, &QLineEdit::returnPressed, this, &MainWindow::command1_click);
    connect(v1_, &QScrollBar::valueChanged, this, &MainWindow::v1_change);
    connect(v1_, &QScrollBar::actionTriggered, this, &MainWindow::v1_action);
    connect(table_, &SpawnTableWidget::cellPressed, this, &MainWindow::cell_pressed);
    connect(table_, &SpawnTableWidget::cellClicked, this, &MainWindow::cell_clicked);
    connect(list1_[0], &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
        list1_[0]->setCurrentItem(item);
        list1_mouse_down();
    });

    // Hover look: each button lights up under the mouse (request = element index).
    connect(command2_, &PictureButton::hovered, this,
            [this] { command2_->style_button({}, 1, 0); });
    connect(command1_, &PictureButton::hovered, this,
            [this] { command1_->style_button({}, 1, 0); });
    for (int i = 0; i < 3; ++i) {
        connect(command4_[i], &PictureButton::hovered, this,
                [this, i] { command4_[i]->style_button({}, 1, i); });
    }
}

void MainWindow::build_menus() {
    QMenu* mfil = menuBar()->addMenu(QStringLiteral("File"));
    mfil->setObjectName(QStringLiteral("mfil"));
    QAction* exit = mfil->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("mf8"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::style_all_buttons() {
    command2_->style_button(QStringLiteral(">>"), 10, 0);
    command4_[0]->style_button(QStringLiteral("Update"), 10, 0);
    command4_[1]->style_button(QStringLiteral("Refresh List"), 10, 1);
    command4_[2]->style_button(QStringLiteral("Add to Config"), 10, 2);
    command1_->style_button(QStringLiteral("Search"), 10, 0);
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) form_activate();
    return QMainWindow::event(e);
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // Without a window manager no activation may come; the first showing counts as one.
    if (!session_.frame.first_activation_done) form_activate();
}

void MainWindow::form_activate() {
    const app::Activation a = app::activate(session_.frame, platform_.is_user_admin());
    if (a.relist_logs) f_refresh(session_.frame.logs_folder);
    if (a.message) platform_.message(*a.message, platform::Buttons::Ok, platform::Icon::None);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // Form_QueryUnload: save, never cancel.
    sync_texts_to_session();
    if (const common::FileStatus saved = app::save_settings(session_); !saved) {
        report_write_failure({*saved.error});
    }
    e->accept();
}

void MainWindow::report_write_failure(const std::vector<common::FileError>& errors) {
    const common::Message m =
        app::write_failure_message(errors, platform_.is_user_admin(), session_.frame);
    platform_.message(m.text, platform::Buttons::Ok, platform::Icon::None);
}

void MainWindow::sync_texts_to_session() {
    session_.frame.text1 = platform::from_display(text1_->text());
    session_.frame.text3 = platform::from_display(text3_->text());
    session_.frame.logs_checked = logs_[0]->isChecked();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease ||
         e->type() == QEvent::MouseButtonDblClick) &&
        static_cast<QMouseEvent*>(e)->button() == Qt::RightButton && list4_ != nullptr &&
        watched == list4_->viewport()) {
        return true;  // the context-menu event still follows and opens the editor
    }
    if (e->type() == QEvent::MouseMove) {
        if (watched == surface_) {
            for (PictureButton* b : {command1_, command4_[0], command4_[1], command2_}) {
                b->style_button({}, 0, 0);
            }
        } else if (watched == frame2_) {
            command4_[1]->style_button({}, 0, 1);
            command4_[2]->style_button({}, 0, 2);
            // Unhandled, the move would reach the surface and rest the top buttons as well.
            e->accept();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::f_refresh(const std::string& folder) {
    app::refresh_log_list(session_, folder);
    render_log_list();
}

void MainWindow::render_log_list() {
    relisting_ = true;
    list4_->clear();
    for (const auto& entry : session_.logs.list.entries) list4_->addItem(qs(entry.label));
    list4_->setCurrentRow(session_.logs.list.chosen);
    relisting_ = false;
}

void MainWindow::list4_click(int row) {
    if (session_.logs.log.busy_flag) {
        render_log_list();  // the parse in progress keeps its entry chosen
        return;
    }
    label9_->setText(QStringLiteral("Failed:0"));
    label9_->setStyleSheet(QStringLiteral("color: rgb(0,0,0);"));
    platform_.busy_on();
    const app::ChooseOutcome outcome =
        app::list4_click(session_, row, table_->header_height_twips());
    render_after_parse();
    // Clicks made while the log was read are dropped, as the busy flag promises.
    session_.logs.log.busy_flag = true;
    platform_.process_events();
    render_log_list();
    platform_.busy_off();
    show_messages(outcome.messages);
    if (!session_.logs.log.write_errors.empty())
        report_write_failure(session_.logs.log.write_errors);
    session_.logs.log.busy_flag = false;
}

void MainWindow::render_after_parse() {
    const logs::ParseResult& p = session_.logs.log.parse;
    if (!p.stopped_early) {
        const QSignalBlocker block(v1_);
        v1_->setValue(0);
        v1_->setMaximum(static_cast<int>(std::min<std::int64_t>(p.scroll_max, INT32_MAX)));
        v1_large_change_ = p.scroll_large_change;
        render_failed_label();
    }
    list1_[0]->clear();
    list1_[1]->clear();
    for (const auto& s : p.suggestions) list1_[0]->addItem(qs(s));
    for (const auto& s : p.suggestion_models) list1_[1]->addItem(qs(s));
    render_table();
}

void MainWindow::render_failed_label() {
    label9_->setText(qs(app::failed_caption(session_.logs.log)));
    label9_->setStyleSheet(app::failed_caption_red(session_.logs.log)
                               ? QStringLiteral("color: rgb(255,0,0);")
                               : QStringLiteral("color: rgb(0,0,0);"));
}

void MainWindow::render_table() {
    table_->update();
}

void MainWindow::show_messages(const std::vector<common::Message>& messages) {
    for (const auto& m : messages) platform_.message(m.text, platform::Buttons::Ok, icon_of(m));
}

void MainWindow::list4_mouse_down(const QPoint& pos) {
    QListWidgetItem* item = list4_->itemAt(pos);
    if (item == nullptr || session_.logs.list.chosen < 0) return;
    platform_.busy_on();
    platform_.open_in_text_editor(app::chosen_log_path(session_));
    platform_.busy_off();
}

void MainWindow::command4_click(int index) {
    if (index == 0) {
        if (session_.logs.list.chosen >= 0) list4_click(session_.logs.list.chosen);
    } else if (index == 1) {
        f_refresh(platform::from_display(text1_->text()));
    }
    // "Add to Config" (index 2) writes the model-matching file; it comes with that feature.
}

void MainWindow::command2_click() {
    const std::string start = app::command2_start_folder(session_);
    const std::string chosen = platform_.browse_folder(start, "Select Log Folder");
    if (chosen.empty()) return;
    app::adopt_log_folder(session_, chosen);
    text1_->setText(qs(session_.frame.text1));
    render_log_list();
}

void MainWindow::logs_mouse_up(int index) {
    session_.frame.text1 = platform::from_display(text1_->text());
    const bool ask =
        app::logs_mouse_up(session_, index, logs_[0]->isChecked(), logs_[1]->isChecked());
    logs_[0]->setChecked(session_.frame.logs_checked);
    logs_[1]->setChecked(!session_.frame.logs_checked);
    apply_view();
    if (ask) chk_logs();
}

void MainWindow::apply_view() {
    const bool log_view = logs_[0]->isChecked();
    frame2_->setVisible(log_view);
    frame3_->setVisible(!log_view);
    frame5_->setVisible(!log_view);
}

void MainWindow::chk_logs() {
    if (platform_.message(app::kChkLogsQuestion, platform::Buttons::YesNo,
                          platform::Icon::Question) == platform::Answer::Yes) {
        command2_click();
    }
}

void MainWindow::command1_click() {
    session_.logs.table.clear_labs();
    if (!logs_[0]->isChecked()) {
        // The live view searches the flight list, which comes with the live traffic.
        render_table();
        return;
    }
    const std::string query = platform::from_display(text3_->text());
    const auto message = session_.logs.table.command1_search(query, check5_->isChecked(),
                                                             session_.logs.log.parse.records);
    render_table();
    if (message) show_messages({*message});
}

void MainWindow::v1_change(int value) {
    session_.logs.table.on_scroll(value, session_.logs.log.parse.records);
    render_table();
}

void MainWindow::v1_action(int action) {
    // A click in the trough moves by the parse's large change, with a one-page thumb.
    const std::int64_t step = v1_large_change_;
    if (action == QAbstractSlider::SliderPageStepAdd) {
        v1_->setSliderPosition(static_cast<int>(std::min<std::int64_t>(
            v1_->maximum(), static_cast<std::int64_t>(v1_->value()) + step)));
    } else if (action == QAbstractSlider::SliderPageStepSub) {
        v1_->setSliderPosition(static_cast<int>(std::max<std::int64_t>(
            v1_->minimum(), static_cast<std::int64_t>(v1_->value()) - step)));
    }
}

void MainWindow::cell_pressed(int row, int column, Qt::MouseButton button, QPoint global_pos) {
    if (button == Qt::RightButton) {
        if (session_.logs.table.right_press(row, column)) mpop_->popup(global_pos);
        return;
    }
    if (column != logs::kColumnPlaneSpawned) return;
    const app::PlaneSpawnedPress press = app::press_plane_spawned(
        row, session_.logs.log.parse.suggestions, session_.logs.table,
        session_.logs.log.parse.records, session_.logs.log.parse.record_count);
    if (press.selected < 0) return;
    list1_[0]->setCurrentRow(static_cast<int>(press.selected));
    if (press.click) apply_suggestion_click(*press.click);
}

void MainWindow::cell_clicked(int row, int column) {
    if (column != logs::kColumnTime) return;
    platform_.open_url(logs::lookup_url(session_.logs.table.cell(row, column).caption));
}

void MainWindow::mcop_click() {
    platform_.set_clipboard_text(logs::visible_caption(session_.logs.table.copy_text()));
}

void MainWindow::list1_mouse_down() {
    QListWidgetItem* item = list1_[0]->currentItem();
    if (item == nullptr) return;
    const int row = list1_[0]->row(item);
    const auto& suggestions = session_.logs.log.parse.suggestions;
    if (row < 0 || row >= static_cast<int>(suggestions.size())) return;
    if (session_.matching.json_text.empty()) {
        session_.matching.json_text =
            common::read_file(app::model_matching_reload_path(session_.matching.json_path));
    }
    apply_suggestion_click(app::list1_mouse_down(
        suggestions[static_cast<std::size_t>(row)], session_.logs.table,
        session_.logs.log.parse.records, session_.logs.log.parse.record_count));
}

void MainWindow::apply_suggestion_click(const app::SuggestionClick& click) {
    text4_[0]->setText(qs(click.type_code));
    text4_[1]->setText(qs(click.model_name));
    if (click.placement && click.placement->set_scrollbar) {
        const QSignalBlocker block(v1_);
        v1_->setValue(static_cast<int>(click.placement->first_record));
    }
    render_table();
    show_messages(click.messages);
}

}  // namespace ui

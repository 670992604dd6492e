#include "ui/log_view.hpp"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/add_to_config.hpp"
#include "app/log_follow.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/follow_watcher.hpp"
#include "ui/hit_bar.hpp"
#include "ui/picture_button.hpp"
#include "ui/spawn_table_widget.hpp"

namespace ui {
namespace {

QString qs(std::string_view s) {
    return platform::to_display(s);
}

QLabel* caption_label(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// The log list tells a choice by the user (a key or a left click) from a current row the
// toolkit sets by itself, for example when the list gets the focus: only the first parses.
class LogList final : public QListWidget {
  public:
    LogList(std::function<void(int)> chosen, QWidget* parent)
        : QListWidget(parent), chosen_(std::move(chosen)) {}

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        const int before = currentRow();
        QListWidget::keyPressEvent(e);
        const int row = currentRow();
        const bool confirm =
            e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
        if (row >= 0 && (row != before || confirm)) chosen_(row);
    }
    void mousePressEvent(QMouseEvent* e) override {
        // The right button only opens the chosen log; it must not choose another one.
        if (e->button() == Qt::RightButton) {
            e->accept();
            return;
        }
        QListWidget::mousePressEvent(e);
        const int row = indexAt(e->position().toPoint()).row();
        if (e->button() == Qt::LeftButton && row >= 0) chosen_(row);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        // Dragging over the rows would change the current row without a click.
        if (e->buttons() != Qt::NoButton) {
            e->accept();
            return;
        }
        QListWidget::mouseMoveEvent(e);
    }

  private:
    std::function<void(int)> chosen_;
};

}  // namespace

LogView::LogView(platform::Platform& platform, app::Session& session, QWidget* parent)
    : QWidget(parent), platform_(platform), session_(session) {
    setObjectName(QStringLiteral("LogView"));
    build();
}

QWidget* LogView::failed_label() const {
    return label9_;
}

void LogView::build() {
    label9_ = caption_label(QStringLiteral("label9"), QStringLiteral("Failed:0"), this);

    // Left column: the log list fills the height above "Refresh List".
    label10_3_ = caption_label(QStringLiteral("Label10_3"), QStringLiteral("Logs"), this);
    // A choice of the log already shown does not parse it again; "Update" does that.
    list4_ = new LogList(
        [this](int row) {
            if (row != session_.logs.list.chosen) list4_click(row);
        },
        this);
    list4_->setObjectName(QStringLiteral("List4"));
    list4_->setContextMenuPolicy(Qt::CustomContextMenu);
    list4_->setFixedWidth(150);
    command4_[0] = new PictureButton(QStringLiteral("command4_0"), this);
    command4_[1] = new PictureButton(QStringLiteral("command4_1"), this);
    follow_ = new QCheckBox(QStringLiteral("Follow"), this);
    follow_->setObjectName(QStringLiteral("Follow"));
    follow_->setToolTip(QStringLiteral("Read new spawns as the add-on writes them"));
    watcher_ = new FollowWatcher([this] { follow_tick(); }, this);
    auto* update_row = new QHBoxLayout;
    update_row->addWidget(command4_[0]);
    update_row->addWidget(follow_);
    auto* left = new QVBoxLayout;
    left->addWidget(label10_3_);
    left->addWidget(list4_, 1);
    left->addLayout(update_row);
    left->addSpacing(6);
    left->addWidget(command4_[1], 0, Qt::AlignHCenter);

    // Frame2: the spawn table, its scroll bar and the suggestion boxes.
    frame2_ = new QFrame(this);
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
    hit_bar_ = new HitBar(frame2_);
    list1_[0] = new QListWidget(frame2_);
    list1_[0]->setObjectName(QStringLiteral("List1_0"));
    list1_[0]->setMinimumWidth(220);
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
    auto* table_row = new QHBoxLayout;
    table_row->addWidget(table_, 1);
    table_row->addWidget(v1_);
    auto* table_column = new QVBoxLayout;
    table_column->addLayout(table_row, 1);
    table_column->addWidget(hit_bar_);
    auto* frame2_layout = new QHBoxLayout(frame2_);
    frame2_layout->addLayout(table_column, 1);
    frame2_layout->addLayout(suggest);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addLayout(left);
    outer->addWidget(frame2_, 1);

    mpop_ = new QMenu(this);
    mpop_->setObjectName(QStringLiteral("mpop"));
    QAction* mcop = mpop_->addAction(QStringLiteral("Copy"));
    mcop->setObjectName(QStringLiteral("mcop"));
    connect(mcop, &QAction::triggered, this, &LogView::mcop_click);

    command4_[0]->style_button(QStringLiteral("Update"), 10, 0);
    command4_[1]->style_button(QStringLiteral("Refresh List"), 10, 1);
    command4_[2]->style_button(QStringLiteral("Add to Config"), 10, 2);

    connect(follow_, &QCheckBox::toggled, this, &LogView::follow_toggled);
    connect(list4_, &QListWidget::customContextMenuRequested, this, &LogView::list4_mouse_down);
    for (int i = 0; i < 3; ++i) {
        connect(command4_[i], &PictureButton::clicked, this, [this, i] { command4_click(i); });
        connect(command4_[i], &PictureButton::hovered, this,
                [this, i] { command4_[i]->style_button({}, 1, i); });
    }
    connect(v1_, &QScrollBar::valueChanged, this, &LogView::v1_change);
    connect(v1_, &QScrollBar::actionTriggered, this, &LogView::v1_action);
    connect(hit_bar_, &HitBar::step, this, &LogView::step_hit);
    connect(table_, &SpawnTableWidget::cellPressed, this, &LogView::cell_pressed);
    connect(table_, &SpawnTableWidget::cellClicked, this, &LogView::cell_clicked);
    // The wheel and the keys stop at the last full page; the bar itself may go past it.
    connect(table_, &SpawnTableWidget::scrollRows, this, [this](int rows) {
        const std::int64_t value = v1_->value();
        std::int64_t target = value + rows;
        if (rows > 0) target = std::min(target, std::max(value, last_full_page()));
        scroll_by(target - value);
    });
    connect(table_, &SpawnTableWidget::scrollToEnd, this,
            [this](bool end) { v1_->setValue(static_cast<int>(end ? last_full_page() : 0)); });
    connect(list1_[0], &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
        list1_[0]->setCurrentItem(item);
        list1_mouse_down();
    });
}

bool LogView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == frame2_ && e->type() == QEvent::MouseMove) {
        command4_[1]->style_button({}, 0, 1);
        command4_[2]->style_button({}, 0, 2);
        // Unhandled, the move would reach the window's surface and rest the top buttons too.
        e->accept();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void LogView::rest_outer_buttons() {
    command4_[0]->style_button({}, 0, 0);
    command4_[1]->style_button({}, 0, 0);
}

void LogView::f_refresh(const std::string& folder) {
    app::refresh_log_list(session_, folder);
    render_log_list();
}

void LogView::render_log_list() {
    list4_->clear();
    for (const auto& entry : session_.logs.list.entries) list4_->addItem(qs(entry.label));
    // The shipped sample logs say so above the list.
    label10_3_->setText(session_.logs.list.folder == session_.frame.layout.sample_logs_folder()
                            ? QStringLiteral("Logs (samples)")
                            : QStringLiteral("Logs"));
    list4_->setCurrentRow(session_.logs.list.chosen);
}

void LogView::list4_click(int row) {
    if (session_.logs.log.busy_flag) {
        render_log_list();  // the parse in progress keeps its entry chosen
        return;
    }
    label9_->setText(QStringLiteral("Failed:0"));
    label9_->setStyleSheet(QStringLiteral("color: rgb(0,0,0);"));
    emit modelsListOutdated();
    std::unique_ptr<QProgressDialog> progress;
    app::run_list4_click(
        session_, platform_, row, table_->header_height_twips(),
        [this] {
            render_after_parse();
            render_log_list();
        },
        app::Progress{[this, &progress](std::uint64_t done, std::uint64_t total) {
            // Between the pieces of a big log: the window stays responsive and can cancel.
            if (!progress) {
                progress = std::make_unique<QProgressDialog>(
                    QStringLiteral("Reading the log..."), QStringLiteral("Cancel"), 0, 1000, this);
                progress->setObjectName(QStringLiteral("logProgress"));
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(500);
            }
            progress->setValue(static_cast<int>(done * 1000 / std::max<std::uint64_t>(total, 1)));
            QCoreApplication::processEvents();
            return !progress->wasCanceled();
        }});
    watch_followed();
}

void LogView::render_after_parse() {
    const logs::ParseResult& p = session_.logs.log.parse;
    if (!p.stopped_early) {
        const QSignalBlocker block(v1_);
        v1_->setValue(0);
        v1_->setMaximum(static_cast<int>(std::min<std::int64_t>(p.scroll_max, INT32_MAX)));
        v1_large_change_ = p.scroll_large_change;
        render_failed_label();
    }
    render_suggestions();
    table_->update();
    render_hits();
    emit recordsChanged();
}

void LogView::render_suggestions() {
    const logs::ParseResult& p = session_.logs.log.parse;
    // A followed log mostly adds at the end; the user's row stays chosen.
    const int row = list1_[0]->currentRow();
    for (QListWidget* list : list1_) {
        const auto& texts = list == list1_[0] ? p.suggestions : p.suggestion_models;
        const int n = static_cast<int>(texts.size());
        while (list->count() > n) delete list->takeItem(list->count() - 1);
        for (int i = 0; i < n; ++i) {
            const QString text = qs(texts[static_cast<std::size_t>(i)]);
            if (i < list->count()) {
                if (list->item(i)->text() != text) list->item(i)->setText(text);
            } else {
                list->addItem(text);
            }
        }
    }
    if (row >= 0 && row < list1_[0]->count() && list1_[0]->currentRow() != row) {
        const QSignalBlocker block(list1_[0]);
        list1_[0]->setCurrentRow(row);
    }
}

void LogView::follow_toggled(bool on) {
    app::set_follow(session_, on);
    if (on) {
        watch_followed();
        follow_tick();
    } else {
        watcher_->stop();
    }
}

void LogView::watch_followed() {
    if (session_.logs.follow.on) watcher_->watch(session_.logs.list.folder, session_.logs.log.path);
}

void LogView::follow_tick() {
    // A message box below runs its own event loop, where the poll fires again.
    if (in_follow_tick_) return;
    in_follow_tick_ = true;
    const auto done = qScopeGuard([this] { in_follow_tick_ = false; });
    const app::FollowStep step = app::follow_tick(session_, table_->header_height_twips());
    if (step.relisted || step.chosen) render_log_list();
    if (step.chosen || step.reread) {
        emit modelsListOutdated();
        render_after_parse();
    } else if (step.grew) {
        render_growth();
    }
    watch_followed();
    if (!step.write_errors.empty())
        app::report_write_failures(session_, platform_, step.write_errors);
    app::show_messages(platform_, step.messages);
}

void LogView::render_growth() {
    const logs::ParseResult& p = session_.logs.log.parse;
    if (!p.stopped_early) {
        const QSignalBlocker block(v1_);
        v1_->setMaximum(static_cast<int>(std::min<std::int64_t>(p.scroll_max, INT32_MAX)));
        v1_large_change_ = p.scroll_large_change;
        render_failed_label();
    }
    move_thumb_to_top_row();
    render_suggestions();
    table_->update();
    render_hits();
    emit recordsChanged();
}

void LogView::render_failed_label() {
    label9_->setText(qs(app::failed_caption(session_.logs.log)));
    label9_->setStyleSheet(app::failed_caption_red(session_.logs.log)
                               ? QStringLiteral("color: rgb(255,0,0);")
                               : QStringLiteral("color: rgb(0,0,0);"));
}

void LogView::list4_mouse_down(const QPoint& pos) {
    if (list4_->itemAt(pos) == nullptr || session_.logs.list.chosen < 0) return;
    platform_.busy_on();
    platform_.open_in_text_editor(app::chosen_log_path(session_));
    platform_.busy_off();
}

void LogView::command4_click(int index) {
    if (index == 0) {
        if (session_.logs.list.chosen >= 0) list4_click(session_.logs.list.chosen);
    } else if (index == 1) {
        f_refresh(folder_box_ ? folder_box_() : session_.frame.text1);
    } else if (index == 2) {
        app::run_add_to_config(session_, platform_, platform::from_display(text4_[0]->text()),
                               platform::from_display(text4_[1]->text()), [this] {
                                   move_thumb_to_top_row();
                                   table_->repaint();
                                   emit modelsListOutdated();
                               });
    }
}

void LogView::search(const std::string& query, bool match_case) {
    const auto& records = session_.logs.log.parse.records;
    const auto message = session_.logs.table.command1_search(query, match_case, records);
    move_thumb_to_top_row();
    table_->update();
    render_hits();
    if (message) app::show_messages(platform_, {*message});
}

void LogView::step_hit(bool next) {
    logs::SpawnTable& table = session_.logs.table;
    const auto& records = session_.logs.log.parse.records;
    next ? table.next_hit(records) : table.previous_hit(records);
    move_thumb_to_top_row();
    table_->update();
    render_hits();
}

void LogView::render_hits() {
    hit_bar_->render(session_.logs.table);
}

void LogView::move_thumb_to_top_row() {
    // The page is drawn already; the thumb only follows it.
    const QSignalBlocker block(v1_);
    v1_->setValue(static_cast<int>(
        std::clamp<std::int64_t>(session_.logs.table.first_shown(), 0, v1_->maximum())));
}

void LogView::v1_change(int value) {
    session_.logs.table.on_scroll(value, session_.logs.log.parse.records);
    table_->update();
}

void LogView::v1_action(int action) {
    // A click in the trough moves by the parse's large change, with a one-page thumb.
    if (action == QAbstractSlider::SliderPageStepAdd) {
        scroll_by(v1_large_change_);
    } else if (action == QAbstractSlider::SliderPageStepSub) {
        scroll_by(-v1_large_change_);
    }
}

std::int64_t LogView::last_full_page() const {
    const std::int64_t last =
        std::max<std::int64_t>(0, session_.logs.log.parse.record_count - logs::SpawnTable::kRows);
    return std::min<std::int64_t>(last, v1_->maximum());
}

void LogView::scroll_by(std::int64_t rows) {
    const std::int64_t target = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(v1_->value()) + rows, v1_->minimum(), v1_->maximum());
    v1_->setSliderPosition(static_cast<int>(target));
}

void LogView::cell_pressed(int row, int column, Qt::MouseButton button, QPoint global_pos) {
    app::Session& s = session_;
    if (button == Qt::RightButton) {
        if (s.logs.table.right_press(row, column)) mpop_->popup(global_pos);
        return;
    }
    if (column != logs::kColumnPlaneSpawned) return;
    const app::PlaneSpawnedPress press =
        app::press_plane_spawned(row, s.logs.log.parse.suggestions, s.logs.table,
                                 s.logs.log.parse.records, s.logs.log.parse.record_count);
    if (press.selected < 0) return;
    list1_[0]->setCurrentRow(static_cast<int>(press.selected));
    if (press.click) apply_suggestion_click(*press.click);
}

void LogView::cell_clicked(int row, int column) {
    if (column != logs::kColumnTime) return;
    platform_.open_url(logs::lookup_url(session_.logs.table.cell(row, column).caption));
}

void LogView::mcop_click() {
    platform_.set_clipboard_text(logs::visible_caption(session_.logs.table.copy_text()));
}

void LogView::select_suggestion(int row) {
    if (row < 0 || row >= list1_[0]->count()) return;
    list1_[0]->setCurrentRow(row);
    list1_mouse_down();
}

void LogView::list1_mouse_down() {
    QListWidgetItem* item = list1_[0]->currentItem();
    if (item == nullptr) return;
    const int row = list1_[0]->row(item);
    const auto& p = session_.logs.log.parse;
    if (row < 0 || row >= static_cast<int>(p.suggestions.size())) return;
    app::ensure_model_matching_text(session_);
    apply_suggestion_click(app::list1_mouse_down(p.suggestions[static_cast<std::size_t>(row)],
                                                 session_.logs.table, p.records, p.record_count));
}

void LogView::apply_suggestion_click(const app::SuggestionClick& click) {
    text4_[0]->setText(qs(click.type_code));
    text4_[1]->setText(qs(click.model_name));
    if (click.placement && click.placement->set_scrollbar) {
        const QSignalBlocker block(v1_);
        v1_->setValue(static_cast<int>(click.placement->first_record));
    }
    table_->update();
    render_hits();
    app::show_messages(platform_, click.messages);
}

}  // namespace ui

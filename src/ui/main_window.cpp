#include "ui/main_window.hpp"

#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/table_export.hpp"
#include "app/update_check.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/about_window.hpp"
#include "ui/airport_pane.hpp"
#include "ui/flightradar_menu.hpp"
#include "ui/frame_bar.hpp"
#include "ui/live_traffic_view.hpp"
#include "ui/live_view.hpp"
#include "ui/log_drop_target.hpp"
#include "ui/log_view.hpp"
#include "ui/main_menu.hpp"
#include "ui/missing_models_window.hpp"
#include "ui/settings_window.hpp"
#include "ui/spawn_table_widget.hpp"
#include "ui/updates_window.hpp"

namespace ui {

MainWindow::MainWindow(platform::Platform& platform, std::string program_folder, bool comma_decimal,
                       QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      session_(app::startup(std::move(program_folder), comma_decimal)) {
    setObjectName(QStringLiteral("F1"));
    build();
    build_main_menu(
        *this,
        MainMenuActions{[this] { close(); }, [this](app::ReportItem item) { report(item); },
                        [this] {
                            AboutWindow w(platform_, QDate::currentDate().year(), this);
                            run_own_window(w);
                        },
                        [this] { export_table(); },
                        [this] {
                            UpdatesWindow w(platform_, this);
                            run_own_window(w);
                        },
                        [this] { platform_.open_url(app::program_page_url(app::kMakerSite)); },
                        [this] { mset_click(); }, [this](int index) { mtls_click(index); },
                        [this] {
                            build_flightradar_menu(*this, session_, [this] {
                                live_view_->traffic()->refresh_selected();
                            });
                        },
                        [this] { MissingModelsWindow::open(session_, *log_view_, this); }});
    setWindowTitle(platform::to_display(app::cap(session_.frame)));
    // Below this the panes would squeeze each other; every control keeps a usable size.
    setMinimumSize(760, 560);
    resize(1500, 860);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());  // center_form
    }
    // The toggle's release handler, as if logs(0) had been released; no question yet.
    frame_bar_->logs_mouse_up(0);
}

void MainWindow::build() {
    surface_ = new QWidget(this);
    surface_->setObjectName(QStringLiteral("surface"));
    surface_->setMouseTracking(true);
    surface_->installEventFilter(this);
    setCentralWidget(surface_);

    frame_bar_ = new FrameBar(platform_, session_, surface_);
    log_view_ = new LogView(platform_, session_, surface_);
    log_view_->set_folder_box([this] { return session_.frame.text1; });
    frame_bar_->add_status(log_view_->failed_label());

    // Frame3: the live view shares the area of the log view; Frame5 holds "Models Found".
    live_view_ = new LiveView(
        platform_, session_, [this](QDialog& d) { return run_own_window(d); }, surface_);
    frame5_ = new QFrame(surface_);
    frame5_->setObjectName(QStringLiteral("Frame5"));
    frame5_->setFrameShape(QFrame::StyledPanel);
    list3_ = new QListWidget(frame5_);
    list3_->setObjectName(QStringLiteral("list3_0"));
    list3_->viewport()->installEventFilter(this);  // a double click anywhere, on a row or not
    auto* heading = new QLabel(QStringLiteral("Models Found"), frame5_);
    heading->setObjectName(QStringLiteral("Label8_0"));
    auto* frame5_layout = new QVBoxLayout(frame5_);
    frame5_layout->addWidget(heading);
    frame5_layout->addWidget(list3_, 1);
    frame5_->setFixedWidth(150);

    body_ = new QHBoxLayout;
    body_->addWidget(log_view_, 1);
    body_->addWidget(live_view_, 1);
    body_->addWidget(frame5_);
    auto* outer = new QVBoxLayout(surface_);
    outer->addWidget(frame_bar_);
    outer->addLayout(body_, 1);

    connect(frame_bar_, &FrameBar::folderAdopted, log_view_, &LogView::render_log_list);
    new LogDropTarget(*this, session_, *frame_bar_, *log_view_);
    connect(log_view_, &LogView::modelsListOutdated, list3_, &QListWidget::clear);
    connect(frame_bar_, &FrameBar::viewChanged, this, &MainWindow::apply_view);
    connect(frame_bar_, &FrameBar::searchRequested, this, &MainWindow::search);
    live_view_->traffic()->set_match_case([this] { return frame_bar_->match_case(); });
    connect(frame_bar_, &FrameBar::searchTextTyped, live_view_->traffic(),
            &LiveTrafficView::search_text_typed);
    connect(live_view_->traffic(), &LiveTrafficView::typesFound, list3_,
            [this](const QStringList& types) {
                list3_->clear();
                list3_->addItems(types);
            });
}

SpawnTableWidget* MainWindow::table_widget() const {
    return log_view_->table_widget();
}

void MainWindow::apply_view(bool log_view) {
    // The live view lies over the log view's area, from the left edge up to the models pane.
    log_view_->setVisible(log_view);
    live_view_->setVisible(!log_view);
    frame5_->setVisible(!log_view);
    // The window's minimum size follows the view at once, not at the next layout pass.
    surface_->layout()->activate();
    layout()->activate();
}

void MainWindow::search(const std::string& query, bool match_case) {
    session_.logs.table.clear_labs();
    if (!frame_bar_->log_view_shown()) {
        log_view_->table_widget()->update();
        log_view_->render_hits();
        live_view_->traffic()->search(query, match_case);
        return;
    }
    log_view_->search(query, match_case);
}

void MainWindow::report(app::ReportItem item) {
    app::run_report(session_, platform_, item, [this] { frame_bar_->show_log_view(); });
}

void MainWindow::export_table() {
    app::run_export_table(session_, platform_);
}

void MainWindow::mtls_click(int index) {
    if (index == 0) {
        platform_.open_in_text_editor(session_.frame.layout.airport_list_file());
    } else {
        live_view_->airport_pane()->sort_list();
    }
}

void MainWindow::mset_click() {
    const std::string old_json_path = session_.matching.json_path;
    SettingsWindow w(platform_, session_, this);
    run_own_window(w);
    const app::SettingsApplied applied = app::settings_closed(session_, old_json_path);
    if (applied.message) app::show_messages(platform_, {*applied.message});
    if (applied.adopt) frame_bar_->adopt_folder(applied.folder);
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // Once the window is on the screen, so that its first questions stand in front of it.
    if (!session_.frame.first_activation_done) {
        QTimer::singleShot(0, this, [this] {
            if (!session_.frame.first_activation_done) form_activate();
        });
    }
}

void MainWindow::form_activate() {
    const app::Activation a = app::activate(session_.frame, platform_.is_user_admin());
    if (a.relist_logs) log_view_->f_refresh(session_.frame.logs_folder);
    if (a.message) platform_.message(*a.message, platform::Buttons::Ok, platform::Icon::None);
    if (a.offer_samples && platform_.message(app::kOfferSamplesQuestion, platform::Buttons::YesNo,
                                             platform::Icon::Question) == platform::Answer::Yes) {
        frame_bar_->adopt_folder(session_.frame.layout.sample_logs_folder());
        frame_bar_->show_log_view();
    }
    if (!session_.startup_folder_errors.empty()) {
        app::show_messages(platform_,
                           {app::folder_failure_message(session_.startup_folder_errors)});
        session_.startup_folder_errors.clear();
    }
}

int MainWindow::run_own_window(QDialog& dialog) {
    const int result = dialog.exec();
    form_activate();
    return result;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // Form_QueryUnload: save, never cancel.
    if (const common::FileStatus saved = app::save_settings(session_); !saved) {
        app::report_write_failures(session_, platform_, {*saved.error});
    }
    e->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (list3_ != nullptr && watched == list3_->viewport() &&
        e->type() == QEvent::MouseButtonDblClick) {
        report(app::ReportItem::NonMatching);
        return true;
    }
    if (watched == surface_ && e->type() == QEvent::MouseMove) {
        frame_bar_->rest_buttons();
        log_view_->rest_outer_buttons();
        live_view_->airport_pane()->rest_buttons();
    }
    return QMainWindow::eventFilter(watched, e);
}

}  // namespace ui

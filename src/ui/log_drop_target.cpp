#include "ui/log_drop_target.hpp"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "app/log_drop.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/frame_bar.hpp"
#include "ui/log_view.hpp"

namespace ui {
namespace {

app::LogDrop plan(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) return {};
    std::vector<std::string> paths;
    for (const QUrl& url : mime->urls()) {
        paths.push_back(url.isLocalFile()
                            ? platform::from_display(QDir::toNativeSeparators(url.toLocalFile()))
                            : "");
    }
    return app::plan_log_drop(paths);
}

}  // namespace

LogDropTarget::LogDropTarget(QWidget& target, app::Session& session, FrameBar& frame_bar,
                             LogView& log_view)
    : QObject(&target), session_(session), frame_bar_(frame_bar), log_view_(log_view) {
    target.setAcceptDrops(true);
    target.installEventFilter(this);
}

bool LogDropTarget::takes(const QMimeData* mime) const {
    // While a parse runs the list belongs to it.
    return !session_.logs.log.busy_flag && plan(mime).kind != app::LogDrop::Kind::Ignore;
}

bool LogDropTarget::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove) {
        auto* move = static_cast<QDragMoveEvent*>(e);
        move->setAccepted(takes(move->mimeData()));
        if (move->isAccepted()) move->acceptProposedAction();
        return true;
    }
    if (type == QEvent::Drop) {
        auto* dropped = static_cast<QDropEvent*>(e);
        if (!takes(dropped->mimeData())) {
            dropped->ignore();
            return true;
        }
        dropped->acceptProposedAction();
        drop(dropped->mimeData());
        return true;
    }
    return QObject::eventFilter(watched, e);
}

void LogDropTarget::drop(const QMimeData* mime) {
    const app::LogDrop d = plan(mime);
    // First, since switching views may ask for a logs folder and relist it.
    if (!frame_bar_.log_view_shown()) frame_bar_.show_log_view();
    // As if the user had picked the folder: the folder box and the model-matching file follow.
    if (d.kind == app::LogDrop::Kind::AdoptFolder) frame_bar_.adopt_folder(d.folder);
    const int row = app::list_dropped_log(session_, d);
    log_view_.render_log_list();
    if (row >= 0) log_view_.choose(row);
}

}  // namespace ui

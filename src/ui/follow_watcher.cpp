#include "ui/follow_watcher.hpp"

namespace ui {

FollowWatcher::FollowWatcher(std::function<void()> tick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)) {
    poll_.setInterval(kPollMs);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&poll_, &QTimer::timeout, this, [this] { tick_(); });
    connect(&settle_, &QTimer::timeout, this, [this] { tick_(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FollowWatcher::changed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FollowWatcher::changed);
}

void FollowWatcher::watch(const std::string& folder, const std::string& file) {
    QStringList wanted;
    for (const std::string* p : {&folder, &file}) {
        if (!p->empty()) wanted << QString::fromStdString(*p);  // paths are UTF-8
    }
    // A replaced or deleted file drops out of the watch; it is added again here.
    QStringList watched = watcher_.files() + watcher_.directories();
    for (const QString& p : watched) {
        if (!wanted.contains(p)) watcher_.removePath(p);
    }
    for (const QString& p : wanted) {
        if (!watched.contains(p)) watcher_.addPath(p);
    }
    if (!poll_.isActive()) poll_.start();
}

void FollowWatcher::stop() {
    poll_.stop();
    settle_.stop();
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) watcher_.removePaths(watched);
}

void FollowWatcher::changed() {
    if (poll_.isActive() && !settle_.isActive()) settle_.start();
}

}  // namespace ui

#pragma once
// Wakes the log view's follow mode: at once when the file system tells of a change in the logs
// folder or the chosen log (coalesced, since a writer causes many), and on a steady poll that
// catches what notification misses (network folders, a log another program holds open).

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

namespace ui {

class FollowWatcher final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kPollMs = 1000;
    static constexpr int kSettleMs = 150;

    FollowWatcher(std::function<void()> tick, QObject* parent = nullptr);

    // Starts or moves the watch; an empty path is not watched.
    void watch(const std::string& folder, const std::string& file);
    void stop();
    [[nodiscard]] bool running() const { return poll_.isActive(); }

  private:
    void changed();

    std::function<void()> tick_;
    QFileSystemWatcher watcher_;
    QTimer poll_;
    QTimer settle_;
};

}  // namespace ui

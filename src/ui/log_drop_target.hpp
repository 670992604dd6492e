#pragma once
// Makes a widget take a log file dropped on it: the file is listed as app::plan_log_drop says
// and parsed as a click on it in the list would.

#include <QObject>

#include "app/session.hpp"

class QMimeData;
class QWidget;

namespace ui {

class FrameBar;
class LogView;

class LogDropTarget : public QObject {
    Q_OBJECT
  public:
    // Owned by target, which it makes accept drops.
    LogDropTarget(QWidget& target, app::Session& session, FrameBar& frame_bar, LogView& log_view);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    [[nodiscard]] bool takes(const QMimeData* mime) const;
    void drop(const QMimeData* mime);

    app::Session& session_;
    FrameBar& frame_bar_;
    LogView& log_view_;
};

}  // namespace ui

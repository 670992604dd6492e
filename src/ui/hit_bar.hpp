#pragma once
// Steps through the hits of the last log-view search: "hit k of N" and the previous and next
// buttons under the spawn table, with Shift+F3 and F3 anywhere in the window while it shows.

#include <QWidget>

#include "logs/spawn_table.hpp"

class QLabel;
class QToolButton;

namespace ui {

class HitBar : public QWidget {
    Q_OBJECT
  public:
    explicit HitBar(QWidget* parent = nullptr);

    // Shows the table's hits; without any the buttons rest disabled and the label is empty.
    void render(const logs::SpawnTable& table);

  signals:
    void step(bool next);

  private:
    QLabel* label_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
};

}  // namespace ui

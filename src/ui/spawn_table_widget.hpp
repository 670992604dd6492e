#pragma once
// Draws the 25 visible rows of the spawn table from the table model's cells and reports mouse
// presses per cell. Only the visible rows are ever drawn.

#include <QWidget>

#include "logs/spawn_table.hpp"

namespace ui {

class SpawnTableWidget : public QWidget {
    Q_OBJECT
  public:
    explicit SpawnTableWidget(QWidget* parent = nullptr);

    void set_table(const logs::SpawnTable* table);
    // Row 0 is the header, 1..25 the data rows; columns 1..7.
    [[nodiscard]] QRect cell_rect(int row, int column) const;
    [[nodiscard]] int row_pitch() const;
    [[nodiscard]] int header_height_twips() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void cellPressed(int row, int column, Qt::MouseButton button, QPoint global_pos);
    void cellClicked(int row, int column);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    [[nodiscard]] int column_left(int column) const;
    [[nodiscard]] int column_width(int column) const;
    [[nodiscard]] std::pair<int, int> hit(QPoint pos) const;

    const logs::SpawnTable* table_ = nullptr;
    std::pair<int, int> pressed_{-1, -1};
};

}  // namespace ui

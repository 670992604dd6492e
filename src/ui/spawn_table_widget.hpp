#pragma once
// Draws the 25 visible rows of the spawn table from the table model's cells and reports mouse
// presses per cell. Only the visible rows are ever drawn.

#include <QFont>
#include <QWidget>
#include <array>

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
    // The wheel or Page Up/Page Down: move by this many records.
    void scrollRows(int rows);
    // Home (false) or End (true).
    void scrollToEnd(bool end);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    [[nodiscard]] std::pair<int, int> hit(QPoint pos) const;
    // Per column 1..7 (index 0 unused).
    struct Columns {
        std::array<int, 8> left{};
        std::array<int, 8> width{};
        int for_width = -1;
        QFont for_font;
    };
    [[nodiscard]] std::array<int, 8> heading_widths() const;
    [[nodiscard]] int least_width() const;
    [[nodiscard]] const Columns& columns() const;

    const logs::SpawnTable* table_ = nullptr;
    std::pair<int, int> pressed_{-1, -1};
    int wheel_remainder_ = 0;
    mutable Columns columns_;  // eighths of a degree not yet turned into rows
};

}  // namespace ui

#include "ui/spawn_table_widget.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>

#include "platform/qt/qt_platform.hpp"

namespace ui {
namespace {

constexpr int kGap = 4;  // between columns, like the 60-twip gap between the header labels
// Fixed widths of the narrow columns; "Name of Model" and "Plane Spawned" share the rest.
constexpr std::array<int, 7> kFixed{52, 80, 64, 64, 0, 0, 90};
constexpr int kMinWide = 120;

}  // namespace

SpawnTableWidget::SpawnTableWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Frame2Table"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpawnTableWidget::set_table(const logs::SpawnTable* table) {
    table_ = table;
    update();
}

int SpawnTableWidget::row_pitch() const {
    // The 25 rows share the height the frame gives, never less than a line and a gap.
    return std::max(fontMetrics().height() + 6, height() / (logs::SpawnTable::kRows + 1));
}

int SpawnTableWidget::header_height_twips() const {
    // Twips are 1/1440 inch; the pitch above includes the gap that the row spacing adds.
    const int header_px = fontMetrics().height();
    return static_cast<int>(header_px * 1440.0 / logicalDpiY() + 0.5);
}

QSize SpawnTableWidget::sizeHint() const {
    return {kFixed[0] + kFixed[1] + kFixed[2] + kFixed[3] + kFixed[6] + 2 * 260 + 8 * kGap,
            (fontMetrics().height() + 10) * 26};
}

QSize SpawnTableWidget::minimumSizeHint() const {
    return {kFixed[0] + kFixed[1] + kFixed[2] + kFixed[3] + kFixed[6] + 2 * kMinWide + 8 * kGap,
            (fontMetrics().height() + 6) * 26};
}

int SpawnTableWidget::column_width(int column) const {
    const int fixed = kFixed[0] + kFixed[1] + kFixed[2] + kFixed[3] + kFixed[6] + 8 * kGap;
    const int rest = std::max(2 * kMinWide, width() - fixed);
    if (column == 5) return rest * 2 / 5;
    if (column == 6) return rest - rest * 2 / 5;
    return kFixed[static_cast<std::size_t>(column - 1)];
}

int SpawnTableWidget::column_left(int column) const {
    int x = kGap;
    for (int c = 1; c < column; ++c) x += column_width(c) + kGap;
    return x;
}

QRect SpawnTableWidget::cell_rect(int row, int column) const {
    return {column_left(column), row * row_pitch() + 1, column_width(column), row_pitch() - 2};
}

std::pair<int, int> SpawnTableWidget::hit(QPoint pos) const {
    for (int row = 0; row <= logs::SpawnTable::kRows; ++row) {
        for (int col = 1; col <= logs::SpawnTable::kColumns; ++col) {
            if (cell_rect(row, col).contains(pos)) return {row, col};
        }
    }
    return {-1, -1};
}

void SpawnTableWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor normal = palette().color(QPalette::Window);
    p.fillRect(rect(), normal);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(Qt::black);
    for (int col = 1; col <= logs::SpawnTable::kColumns; ++col) {
        const QRect r = cell_rect(0, col);
        p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(
                       logs::kHeaderCaptions[static_cast<std::size_t>(col - 1)].data(),
                       static_cast<qsizetype>(
                           logs::kHeaderCaptions[static_cast<std::size_t>(col - 1)].size())));
    }
    p.setFont(font());
    const QColor grid = normal.darker(108);
    for (int row = 1; row <= logs::SpawnTable::kRows; ++row) {
        p.setPen(grid);
        const int y = row * row_pitch();
        p.drawLine(0, y, width(), y);
        if (table_ == nullptr) continue;
        for (int col = 1; col <= logs::SpawnTable::kColumns; ++col) {
            const logs::Cell& cell = table_->cell(row, col);
            const QRect r = cell_rect(row, col);
            if (cell.yellow) p.fillRect(r, QColor(255, 255, 0));
            p.setPen(cell.red ? QColor(255, 0, 0) : QColor(0, 0, 0));
            const QString text = platform::to_display(logs::visible_caption(cell.caption));
            p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       fontMetrics().elidedText(text, Qt::ElideRight, r.width() - 4));
        }
    }
}

void SpawnTableWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = hit(event->position().toPoint());
    if (pressed_.first >= 1) {
        emit cellPressed(pressed_.first, pressed_.second, event->button(),
                         event->globalPosition().toPoint());
    }
    event->accept();
}

void SpawnTableWidget::mouseReleaseEvent(QMouseEvent* event) {
    const auto released = hit(event->position().toPoint());
    if (event->button() == Qt::LeftButton && released == pressed_ && released.first >= 1) {
        emit cellClicked(released.first, released.second);
    }
    pressed_ = {-1, -1};
    event->accept();
}

}  // namespace ui

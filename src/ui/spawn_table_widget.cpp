#include "ui/spawn_table_widget.hpp"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <numeric>

#include "platform/qt/qt_platform.hpp"

namespace ui {
namespace {

constexpr int kGap = 4;  // between columns, like the 60-twip gap between the header labels
// Widths of the narrow columns in a roomy window; "Name of Model" and "Plane Spawned" share the
// rest. In a small window every column shrinks towards the width of its heading, never below.
constexpr std::array<int, 7> kFixed{52, 80, 64, 64, 0, 0, 90};
constexpr int kMinWide = 120;
constexpr int kColumnsGaps = 8 * kGap;
constexpr int kNarrowTotal = kFixed[0] + kFixed[1] + kFixed[2] + kFixed[3] + kFixed[6];

QString heading(int column) {
    const std::string_view h = logs::kHeaderCaptions[static_cast<std::size_t>(column - 1)];
    return QString::fromUtf8(h.data(), static_cast<qsizetype>(h.size()));
}

}  // namespace

SpawnTableWidget::SpawnTableWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Frame2Table"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);  // Page Up/Down, Home and End page through the records
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
    return {kNarrowTotal + 2 * 260 + kColumnsGaps, (fontMetrics().height() + 10) * 26};
}

QSize SpawnTableWidget::minimumSizeHint() const {
    return {least_width() + kColumnsGaps, (fontMetrics().height() + 6) * 26};
}

std::array<int, 8> SpawnTableWidget::heading_widths() const {
    // The narrow columns also keep room for a typical value, so a reference or a call sign is
    // never cut in a small window.
    static constexpr std::array<const char*, 7> kTypical{"00:00", "4CA7B1", "A20N",   "DLH",
                                                         "",      "",       "DLH1234"};
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics bold_metrics(bold);
    std::array<int, 8> out{};
    for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) {
        const int typical = fontMetrics().horizontalAdvance(
            QLatin1String(kTypical[static_cast<std::size_t>(c - 1)]));
        out[static_cast<std::size_t>(c)] =
            std::max(bold_metrics.horizontalAdvance(heading(c)), typical) + 8;
    }
    return out;
}

int SpawnTableWidget::least_width() const {
    const auto h = heading_widths();
    return std::accumulate(h.begin(), h.end(), 0);
}

const SpawnTableWidget::Columns& SpawnTableWidget::columns() const {
    // Painting asks for every cell's rectangle: measure the texts only when the size or the font
    // changed.
    if (columns_.for_width == width() && columns_.for_font == font()) return columns_;
    const auto h = heading_widths();
    const auto fixed = [](int c) { return kFixed[static_cast<std::size_t>(c - 1)]; };
    const auto at = [](auto& a, int c) -> auto& {
        return a[static_cast<std::size_t>(c)];
    };
    std::array<int, 8> w{};
    const int avail = width() - kColumnsGaps;
    int narrow_total = 0;
    for (int c : {1, 2, 3, 4, 7}) narrow_total += std::max(fixed(c), at(h, c));
    const int rest = avail - narrow_total;
    const int name_width = rest * 2 / 5;
    if (name_width >= std::max(kMinWide, at(h, 5)) &&
        rest - name_width >= std::max(kMinWide, at(h, 6))) {
        for (int c : {1, 2, 3, 4, 7}) at(w, c) = std::max(fixed(c), at(h, c));
        at(w, 5) = name_width;
        at(w, 6) = rest - name_width;
    } else {
        // Too narrow for the roomy widths: each column keeps its heading and gets a share of
        // what is left in proportion to how much more it would like.
        const auto wanted = [&](int c) { return c == 5 || c == 6 ? kMinWide : fixed(c); };
        int want_more = 0;
        for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) {
            want_more += std::max(0, wanted(c) - at(h, c));
        }
        const int spare = std::max(0, avail - std::accumulate(h.begin(), h.end(), 0));
        for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) {
            const int more = std::max(0, wanted(c) - at(h, c));
            at(w, c) = at(h, c) + (want_more == 0 ? 0 : spare * more / want_more);
        }
    }
    int x = kGap;
    for (int c = 1; c <= logs::SpawnTable::kColumns; ++c) {
        at(columns_.left, c) = x;
        at(columns_.width, c) = at(w, c);
        x += at(w, c) + kGap;
    }
    columns_.for_width = width();
    columns_.for_font = font();
    return columns_;
}

QRect SpawnTableWidget::cell_rect(int row, int column) const {
    const Columns& c = columns();
    const auto i = static_cast<std::size_t>(column);
    return {c.left[i], row * row_pitch() + 1, c.width[i], row_pitch() - 2};
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
        p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, heading(col));
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

bool SpawnTableWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    // A cell whose text is cut off shows it whole as a tooltip.
    const auto* help = static_cast<QHelpEvent*>(event);
    const auto [row, col] = hit(help->pos());
    if (table_ != nullptr && row >= 1) {
        const QString text =
            platform::to_display(logs::visible_caption(table_->cell(row, col).caption));
        if (fontMetrics().horizontalAdvance(text) > cell_rect(row, col).width() - 4) {
            QToolTip::showText(help->globalPos(), text, this, cell_rect(row, col));
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void SpawnTableWidget::wheelEvent(QWheelEvent* event) {
    // 120 eighths of a degree are one notch; a notch moves the lines the desktop asks for.
    wheel_remainder_ += event->angleDelta().y();
    const int notches = wheel_remainder_ / 120;
    wheel_remainder_ -= notches * 120;
    if (notches != 0) emit scrollRows(-notches * QApplication::wheelScrollLines());
    event->accept();
}

void SpawnTableWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
            emit scrollRows(logs::SpawnTable::kRows);
            break;
        case Qt::Key_PageUp:
            emit scrollRows(-logs::SpawnTable::kRows);
            break;
        case Qt::Key_Down:
            emit scrollRows(1);
            break;
        case Qt::Key_Up:
            emit scrollRows(-1);
            break;
        case Qt::Key_Home:
            emit scrollToEnd(false);
            break;
        case Qt::Key_End:
            emit scrollToEnd(true);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void SpawnTableWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
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

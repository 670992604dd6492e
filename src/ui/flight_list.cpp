#include "ui/flight_list.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace ui {
namespace {

class TabStopDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const QFontMetrics fm(opt.font);
        // Stops as wide as the list box's default of eight average characters of its own font,
        // which in this font is about ten.
        const int stop = fm.averageCharWidth() * 10;
        const bool selected = (opt.state & QStyle::State_Selected) != 0;
        painter->save();
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        int x = opt.rect.left() + 3;
        const int baseline = opt.rect.top() + (opt.rect.height() + fm.ascent() - fm.descent()) / 2;
        const QStringList fields = text.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0) x = opt.rect.left() + 3 + ((x - opt.rect.left() - 3) / stop + 1) * stop;
            painter->drawText(x, baseline, fields[i]);
            x += fm.horizontalAdvance(fields[i]);
        }
        painter->restore();
    }
};

}  // namespace

FlightList::FlightList(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("List8"));
    setItemDelegate(new TabStopDelegate(this));
    setUniformItemSizes(true);
}

void FlightList::mousePressEvent(QMouseEvent* e) {
    QListWidget::mousePressEvent(e);
    emit rowPressed(indexAt(e->position().toPoint()).row());
}

}  // namespace ui

#include "ui/link_label.hpp"

#include <QMouseEvent>

namespace ui {

LinkLabel::LinkLabel(const QString& object_name, const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setObjectName(object_name);
    setCursor(Qt::PointingHandCursor);
    set_colour("#0000ff");
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed();
}

void LinkLabel::enterEvent(QEnterEvent*) {
    set_colour("#ff00ff");
}

void LinkLabel::leaveEvent(QEvent*) {
    set_colour("#0000ff");
}

void LinkLabel::set_colour(const char* colour) {
    setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
}

}  // namespace ui

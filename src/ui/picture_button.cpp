#include "ui/picture_button.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace ui {
namespace {
QColor to_qcolor(const app::Rgb& c) {
    return QColor(c.r, c.g, c.b);
}
}  // namespace

PictureButton::PictureButton(const QString& object_name, QWidget* parent) : QWidget(parent) {
    setObjectName(object_name);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    state_.background = app::kWhite;  // unpainted until the first style_button
}

bool PictureButton::style_button(const QString& caption, int style, int request) {
    std::string c = caption.toStdString();
    const bool painted = app::style_button(state_, c, style, request);
    if (painted) {
        setEnabled(state_.enabled);
        updateGeometry();
        update();
    }
    return painted;
}

QSize PictureButton::sizeHint() const {
    QFont f(QString::fromStdString(state_.font));
    f.setPointSize(state_.font_points);
    const QFontMetrics fm(f);
    return {fm.horizontalAdvance(caption()) + 24, fm.height() + 10};
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), to_qcolor(state_.background));
    QFont f(QString::fromStdString(state_.font));
    f.setPointSize(state_.font_points);
    p.setFont(f);
    p.setPen(to_qcolor(state_.text));
    p.drawText(rect(), Qt::AlignCenter, caption());
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    emit hovered();
    event->accept();
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (pressed_ && inside && event->button() == Qt::LeftButton && isEnabled()) emit clicked();
    pressed_ = false;
    event->accept();
}

}  // namespace ui

#include "ui/traffic_picture_widget.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace ui {
namespace {

constexpr double kTwips = live::kTwipsPerPixel;

QPointF px(live::Point p) {
    return {p.x / kTwips, p.y / kTwips};
}

QColor colour(live::Rgb c) {
    return {c.r, c.g, c.b};
}

void disc(QPainter& painter, QPointF centre, double radius_twips, live::Rgb fill,
          live::Rgb outline) {
    painter.setPen(colour(outline));
    painter.setBrush(colour(fill));
    const double r = radius_twips / kTwips;
    painter.drawEllipse(centre, r, r);
}

}  // namespace

TrafficPictureWidget::TrafficPictureWidget(std::function<std::string(int)> icon_file,
                                           QWidget* parent)
    : QWidget(parent), icon_file_(std::move(icon_file)) {
    setObjectName(QStringLiteral("p1"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(120, 80);
    auto* zoom_row = new QHBoxLayout;
    const char* captions[] = {"-", "+", "R"};
    for (int i = 0; i < 3; ++i) {
        label12_[i] = new QLabel(QString::fromLatin1(captions[i]), this);
        label12_[i]->setObjectName(QStringLiteral("Label12_%1").arg(i));
        label12_[i]->setAlignment(Qt::AlignCenter);
        label12_[i]->setFixedSize(22, 20);
        label12_[i]->setFrameShape(QFrame::Box);
        label12_[i]->installEventFilter(this);
        zoom_row->addWidget(label12_[i]);
    }
    label12_[2]->setToolTip(QStringLiteral("Reset "));
    zoom_row->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addLayout(zoom_row);
    column->addStretch(1);
}

double TrafficPictureWidget::width_twips() const {
    return width() * kTwips;
}

double TrafficPictureWidget::height_twips() const {
    return height() * kTwips;
}

void TrafficPictureWidget::set_picture(live::Picture picture) {
    picture_ = std::move(picture);
    update();
}

void TrafficPictureWidget::clear_picture() {
    picture_ = {};
    marker_visible_ = false;
    stale_ = false;
    update();
}

void TrafficPictureWidget::set_marker_visible(bool visible) {
    marker_visible_ = visible;
    update();
}

void TrafficPictureWidget::set_stale(bool stale) {
    stale_ = stale;
    update();
}

const QPixmap& TrafficPictureWidget::icon(int direction) {
    const auto i = static_cast<std::size_t>(((direction / 10) % 36 + 36) % 36);
    if (!loaded_[i]) {
        loaded_[i] = true;
        icons_[i].load(QString::fromStdString(icon_file_(static_cast<int>(i) * 10)));
    }
    return icons_[i];
}

void TrafficPictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawings first, the icons over them, as image controls lie over a picture box.
    for (const live::IconItem& item : picture_.icons) {
        if (!item.drawable) continue;
        const QPointF centre = px(item.centre());
        if (item.disc == live::Disc::Airborne) {
            disc(painter, centre, live::kDiscRadius, live::kAirborneFill, live::kAirborneOutline);
        } else if (item.disc == live::Disc::Ground) {
            disc(painter, centre, live::kDiscRadius, live::kGroundFill, live::kGroundOutline);
        }
        if (item.default_model) {
            disc(painter, centre, live::kDefaultModelRadius, live::kDefaultModelColour,
                 live::kDefaultModelColour);
        }
        painter.setPen(colour(live::kLabelColour));
        const QPointF at = px(item.label_at);
        painter.drawText(QPointF(at.x(), at.y() + fontMetrics().ascent()),
                         QString::fromLatin1(item.label.c_str()));
    }
    if (picture_.airport_mark) {
        painter.setPen(colour(live::kAirportMarkColour));
        const QPointF at = px(*picture_.airport_mark);
        painter.drawText(QPointF(at.x(), at.y() + fontMetrics().ascent()), QStringLiteral("@"));
    }
    for (const live::IconItem& item : picture_.icons) {
        if (item.drawable) painter.drawPixmap(px(item.top_left), icon(item.direction));
    }
    if (marker_visible_ && picture_.selection_marker) {
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(px(*picture_.selection_marker), QSizeF(32, 32)));
    }
    if (stale_) {
        const QString text = QStringLiteral("Not updated: the last fetch failed");
        painter.setPen(QColor(150, 0, 0));
        painter.drawText(rect().adjusted(6, 0, -6, -6), Qt::AlignBottom | Qt::AlignLeft, text);
    }
}

void TrafficPictureWidget::mousePressEvent(QMouseEvent* e) {
    // The topmost icon under the pointer: the last drawn.
    const QPointF at = e->position();
    for (auto it = picture_.icons.rbegin(); it != picture_.icons.rend(); ++it) {
        if (it->drawable && QRectF(px(it->top_left), QSizeF(32, 32)).contains(at)) {
            emit iconPressed(it->index);
            return;
        }
    }
    QWidget::mousePressEvent(e);
}

void TrafficPictureWidget::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

void TrafficPictureWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    emit resized();
}

bool TrafficPictureWidget::eventFilter(QObject* watched, QEvent* e) {
    for (int i = 0; i < 3; ++i) {
        if (watched != label12_[i]) continue;
        // Pressed, the label is opaque; released, transparent again.
        if (e->type() == QEvent::MouseButtonPress) {
            label12_[i]->setStyleSheet(QStringLiteral("background: #c0c0c0;"));
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            label12_[i]->setStyleSheet(QString());
            if (label12_[i]->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint())) {
                emit zoomClicked(i);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace ui

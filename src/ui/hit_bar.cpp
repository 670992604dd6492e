#include "ui/hit_bar.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>

#include "platform/qt/qt_platform.hpp"

namespace ui {

HitBar::HitBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("HitBar"));
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("hitLabel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(label_);
    // Newest records come first, so the next hit lies further down the table.
    const auto add_button = [&](const char* name, Qt::ArrowType arrow, const QKeySequence& keys,
                                const QString& tip, bool next) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        button->setAutoRaise(true);
        button->setToolTip(tip + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
                           QStringLiteral(")"));
        connect(button, &QToolButton::clicked, this, [this, next] { emit step(next); });
        // A window shortcut on this widget only fires while the log view is shown.
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, button, next] {
            if (button->isEnabled()) emit step(next);
        });
        layout->addWidget(button);
        return button;
    };
    previous_ = add_button("hitPrevious", Qt::UpArrow, QKeySequence(Qt::SHIFT | Qt::Key_F3),
                           QStringLiteral("Previous hit"), false);
    next_ = add_button("hitNext", Qt::DownArrow, QKeySequence(Qt::Key_F3),
                       QStringLiteral("Next hit"), true);
    render(logs::SpawnTable{});
}

void HitBar::render(const logs::SpawnTable& table) {
    const bool any = table.hit_count() > 0;
    label_->setText(platform::to_display(table.hit_caption()));
    previous_->setEnabled(any);
    next_->setEnabled(any);
}

}  // namespace ui

#include "ui/missing_models_window.hpp"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/suggestion_click.hpp"
#include "platform/qt/qt_platform.hpp"
#include "ui/log_view.hpp"

namespace ui {
namespace {

// One tick every 1, 2 or 5 times a power of ten, at most eight of them: whole counts only.
std::int64_t tick_step(std::int64_t top) {
    for (std::int64_t base = 1;; base *= 10) {
        for (const std::int64_t m : {1, 2, 5}) {
            if (top / (base * m) <= 8) return base * m;
        }
    }
}

}  // namespace

MissingModelsWindow::MissingModelsWindow(const app::Session& session, LogView& log_view,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), log_view_(log_view) {
    setObjectName(QStringLiteral("MissingModels"));
    setWindowTitle(QStringLiteral("Missing models"));
    build_chart(ByType, QStringLiteral("typeChart"));
    build_chart(ByAirline, QStringLiteral("airlineChart"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(charts_[ByType].view, 1);
    layout->addWidget(charts_[ByAirline].view, 1);
    resize(960, 720);
    // A hidden window counts nothing; showing it catches up.
    connect(&log_view_, &LogView::recordsChanged, this, [this] {
        if (isVisible()) refresh();
    });
}

MissingModelsWindow* MissingModelsWindow::open(const app::Session& session, LogView& log_view,
                                               QWidget* parent) {
    auto* w = parent->findChild<MissingModelsWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (w == nullptr) w = new MissingModelsWindow(session, log_view, parent);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void MissingModelsWindow::build_chart(Chart chart, const QString& name) {
    BarChart& c = charts_[chart];
    auto* plot = new QChart;
    plot->legend()->hide();
    plot->setAnimationOptions(QChart::NoAnimation);
    c.set = new QBarSet(QStringLiteral("Spawns"));
    auto* series = new QBarSeries;
    series->append(c.set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    plot->addSeries(series);
    // After the theme dressed the series: its label colour is meant for inside the bars.
    c.set->setLabelColor(Qt::black);
    c.names = new QBarCategoryAxis;
    c.names->setLabelsAngle(-45);  // airline and type names stay readable side by side
    plot->addAxis(c.names, Qt::AlignBottom);
    series->attachAxis(c.names);
    c.counts = new QValueAxis;
    c.counts->setLabelFormat(QStringLiteral("%d"));
    c.counts->setTickType(QValueAxis::TicksDynamic);
    c.counts->setTickAnchor(0);
    plot->addAxis(c.counts, Qt::AlignLeft);
    series->attachAxis(c.counts);
    c.view = new QChartView(plot, this);
    c.view->setObjectName(name);
    c.view->setRenderHint(QPainter::Antialiasing);
    connect(c.set, &QBarSet::clicked, this,
            [this, chart](int index) { bar_clicked(chart, index); });
}

void MissingModelsWindow::showEvent(QShowEvent* e) {
    refresh();
    QWidget::showEvent(e);
}

void MissingModelsWindow::refresh() {
    counts_ = logs::count_missing_models(session_.logs.log.parse.records);
    fill(ByType, counts_.by_type, QStringLiteral("type"));
    fill(ByAirline, counts_.by_airline, QStringLiteral("airline"));
}

void MissingModelsWindow::fill(Chart chart, const logs::TopCounts& counts, const QString& what) {
    BarChart& c = charts_[chart];
    QStringList names;
    QList<qreal> values;
    std::int64_t most = 0;
    for (const logs::NameCount& n : counts.top) {
        names << (n.name.empty() ? QStringLiteral("(blank)") : platform::to_display(n.name));
        values << static_cast<qreal>(n.count);
        most = std::max(most, n.count);
    }
    if (counts.others > 0) {
        names << QStringLiteral("others (%1)").arg(counts.others_names);
        values << static_cast<qreal>(counts.others);
        most = std::max(most, counts.others);
    }
    c.set->remove(0, c.set->count());
    c.names->clear();
    c.names->append(names);
    c.set->append(values);
    // Headroom for the count above the highest bar.
    const std::int64_t top = std::max<std::int64_t>(1, most + most / 8 + 1);
    const std::int64_t step = tick_step(top);
    c.counts->setTickInterval(static_cast<qreal>(step));
    c.counts->setRange(0, static_cast<qreal>((top + step - 1) / step * step));
    c.view->chart()->setTitle(counts_.total == 0
                                  ? QStringLiteral("No default-model spawns in this log")
                                  : QStringLiteral("Default-model spawns by %1 (%2 in all)")
                                        .arg(what)
                                        .arg(counts_.total));
}

QStringList MissingModelsWindow::bar_names(Chart chart) const {
    return charts_[chart].names->categories();
}

void MissingModelsWindow::bar_clicked(Chart chart, int index) {
    const logs::TopCounts& counts = chart == ByType ? counts_.by_type : counts_.by_airline;
    // The "others" bar stands for many names: it selects nothing.
    if (index < 0 || index >= static_cast<int>(counts.top.size())) return;
    const int row = app::find_suggestion(
        session_.logs.log.parse.suggestions,
        chart == ByType ? app::SuggestionPart::Type : app::SuggestionPart::Airline,
        counts.top[static_cast<std::size_t>(index)].name);
    log_view_.select_suggestion(row);
}

}  // namespace ui

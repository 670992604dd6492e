#pragma once
// "Missing models": the default-model spawns of the parsed log as two bar charts, by type and by
// airline. A click on a bar selects the first suggestion of that type or airline in the log
// view, as a click on that suggestion does.

#include <QStringList>
#include <QWidget>

#include "app/session.hpp"
#include "logs/missing_models.hpp"

QT_FORWARD_DECLARE_CLASS(QBarCategoryAxis)
QT_FORWARD_DECLARE_CLASS(QBarSet)
QT_FORWARD_DECLARE_CLASS(QChartView)
QT_FORWARD_DECLARE_CLASS(QValueAxis)

namespace ui {

class LogView;

class MissingModelsWindow : public QWidget {
    Q_OBJECT
  public:
    enum Chart { ByType = 0, ByAirline = 1 };

    MissingModelsWindow(const app::Session& session, LogView& log_view, QWidget* parent);

    // Shows the parent's window, made on first use, in front.
    static MissingModelsWindow* open(const app::Session& session, LogView& log_view,
                                     QWidget* parent);

    // Counts the current parse again and draws both charts.
    void refresh();

    [[nodiscard]] QBarSet* bars(Chart chart) const { return charts_[chart].set; }
    [[nodiscard]] QStringList bar_names(Chart chart) const;
    [[nodiscard]] QChartView* chart_view(Chart chart) const { return charts_[chart].view; }

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    struct BarChart {
        QChartView* view = nullptr;
        QBarSet* set = nullptr;
        QBarCategoryAxis* names = nullptr;
        QValueAxis* counts = nullptr;
    };
    void build_chart(Chart chart, const QString& name);
    void fill(Chart chart, const logs::TopCounts& counts, const QString& what);
    void bar_clicked(Chart chart, int index);

    const app::Session& session_;
    LogView& log_view_;
    BarChart charts_[2];
    logs::MissingModels counts_;
};

}  // namespace ui

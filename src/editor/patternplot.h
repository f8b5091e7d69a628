#ifndef PATTERNPLOT_H
#define PATTERNPLOT_H

#include "patterncurve.h"

#include <QPointer>
#include <QWidget>

class QAbstractItemModel;

// The co-polar and cross-polar radiation patterns drawn as attenuation
// against angle. It reads the two point tables of the Antenna page (column 0
// angle, column 1 attenuation) and follows every edit of them, so a mistyped
// point stands out at a glance; rows it cannot plot are named under the plot.
class PatternPlot : public QWidget
{
    Q_OBJECT
public:
    enum Pattern { CoPolar = 0, CrossPolar = 1 };

    explicit PatternPlot(QWidget* parent = nullptr);

    void setSources(QAbstractItemModel* coPolar, QAbstractItemModel* crossPolar);
    // The curve as it is drawn now.
    const PatternCurve& curve(Pattern pattern) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void watch(QAbstractItemModel* model);
    void sourceChanged();
    void refresh() const;
    void drawGrid(QPainter& painter, const QRectF& area) const;
    void drawCurve(QPainter& painter, const PatternCurve& curve, const QColor& colour) const;
    void drawLegend(QPainter& painter, const QRectF& area) const;
    void drawUnplotted(QPainter& painter, const QRectF& area) const;
    QPointF toWidget(const QPointF& point) const;

    QPointer<QAbstractItemModel> m_sources[2];
    mutable PatternCurve m_curves[2];
    mutable PatternAxes m_axes;
    mutable bool m_stale = true;
    mutable QRectF m_plotArea;
};

#endif

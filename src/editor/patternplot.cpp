#include "patternplot.h"

#include <QAbstractItemModel>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kCurveColours[2] = {QColor(0x2f, 0x7f, 0xd0), QColor(0xd2, 0x3c, 0x35)};
const int kMarkerRadius = 3;

QList<PatternPointText> pointTexts(const QAbstractItemModel* model)
{
    QList<PatternPointText> rows;
    if (!model)
        return rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows.append({model->index(row, 0).data().toString(),
                     model->index(row, 1).data().toString()});
    return rows;
}

// The finest round step whose labels stay at least `room` pixels apart.
double gridStep(double span, double pixels, double room, std::initializer_list<double> steps)
{
    for (double step : steps) {
        if (pixels * step / span >= room)
            return step;
    }
    return *(steps.end() - 1);
}

} // namespace

PatternPlot::PatternPlot(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("patternPlot"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PatternPlot::setSources(QAbstractItemModel* coPolar, QAbstractItemModel* crossPolar)
{
    m_sources[CoPolar] = coPolar;
    m_sources[CrossPolar] = crossPolar;
    watch(coPolar);
    watch(crossPolar);
    sourceChanged();
}

void PatternPlot::watch(QAbstractItemModel* model)
{
    if (!model)
        return;
    // A record shown fills its table cell by cell: mark the curves stale and
    // read them once, when they are next drawn or asked for.
    connect(model, &QAbstractItemModel::dataChanged, this, &PatternPlot::sourceChanged);
    connect(model, &QAbstractItemModel::rowsInserted, this, &PatternPlot::sourceChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &PatternPlot::sourceChanged);
    connect(model, &QAbstractItemModel::rowsMoved, this, &PatternPlot::sourceChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &PatternPlot::sourceChanged);
    connect(model, &QAbstractItemModel::layoutChanged, this, &PatternPlot::sourceChanged);
}

void PatternPlot::sourceChanged()
{
    m_stale = true;
    update();
}

const PatternCurve& PatternPlot::curve(Pattern pattern) const
{
    refresh();
    return m_curves[pattern];
}

void PatternPlot::refresh() const
{
    if (!m_stale)
        return;
    for (int i = 0; i < 2; ++i)
        m_curves[i] = patternCurve(pointTexts(m_sources[i]));
    m_axes = patternAxes({m_curves[0], m_curves[1]});
    m_stale = false;
}

QSize PatternPlot::sizeHint() const
{
    return QSize(360, 240);
}

QSize PatternPlot::minimumSizeHint() const
{
    return QSize(220, 150);
}

QPointF PatternPlot::toWidget(const QPointF& point) const
{
    // Attenuation grows downwards, so the main lobe is at the top.
    const double x = m_plotArea.left() + point.x() / m_axes.angleMax * m_plotArea.width();
    const double span = m_axes.attenuationMax - m_axes.attenuationMin;
    const double y =
        m_plotArea.top() + (point.y() - m_axes.attenuationMin) / span * m_plotArea.height();
    return QPointF(x, y);
}

void PatternPlot::paintEvent(QPaintEvent*)
{
    refresh();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics fm = fontMetrics();
    const int line = fm.height();
    const QRectF area = QRectF(rect()).adjusted(fm.horizontalAdvance(QStringLiteral("-000")) + 8,
                                                line * 1.6, -12, -line * 2.6);
    m_plotArea = area;
    drawGrid(painter, area);
    for (int i = 0; i < 2; ++i)
        drawCurve(painter, m_curves[i], kCurveColours[i]);
    drawLegend(painter, area);
    drawUnplotted(painter, area);
}

void PatternPlot::drawGrid(QPainter& painter, const QRectF& area) const
{
    const QColor grid = palette().color(QPalette::Mid);
    const QColor text = palette().color(QPalette::Text);
    const int line = fontMetrics().height();
    const double angleStep = gridStep(m_axes.angleMax, area.width(),
                                      fontMetrics().horizontalAdvance(QStringLiteral("3600")),
                                      {15, 30, 45, 90, 180});
    const double span = m_axes.attenuationMax - m_axes.attenuationMin;
    const double attenuationStep = gridStep(span, area.height(), line * 1.5,
                                            {5, 10, 20, 50, 100, 200, 500, 1000});
    for (double a = 0; a <= m_axes.angleMax + 1e-9; a += angleStep) {
        const double x = toWidget(QPointF(a, 0)).x();
        painter.setPen(QPen(grid, 0, Qt::DotLine));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.setPen(text);
        painter.drawText(QRectF(x - 30, area.bottom() + 2, 60, line), Qt::AlignHCenter,
                         QString::number(a));
    }
    const double first = std::ceil(m_axes.attenuationMin / attenuationStep) * attenuationStep;
    for (double v = first; v <= m_axes.attenuationMax + 1e-9; v += attenuationStep) {
        const double y = toWidget(QPointF(0, v)).y();
        painter.setPen(QPen(grid, 0, Qt::DotLine));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(0, y - line / 2.0, area.left() - 4, line), Qt::AlignRight,
                         QString::number(v));
    }
    painter.setPen(grid);
    painter.drawRect(area);
    painter.setPen(text);
    painter.drawText(QRectF(area.left(), area.bottom() + line, area.width(), line),
                     Qt::AlignRight, tr("Angle, degrees"));
    painter.drawText(QRectF(0, 0, width(), line * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
                     tr("dB"));
}

void PatternPlot::drawCurve(QPainter& painter, const PatternCurve& curve,
                            const QColor& colour) const
{
    if (curve.points.isEmpty())
        return;
    QPainterPath path(toWidget(curve.points.first()));
    for (const QPointF& p : curve.points)
        path.lineTo(toWidget(p));
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(colour);
    for (const QPointF& p : curve.points)
        painter.drawEllipse(toWidget(p), kMarkerRadius, kMarkerRadius);
}

void PatternPlot::drawLegend(QPainter& painter, const QRectF& area) const
{
    const QString names[2] = {tr("Co-polar"), tr("Cross-polar")};
    const QFontMetrics fm = fontMetrics();
    double x = area.right();
    const double y = fm.height() * 0.7;
    for (int i = 1; i >= 0; --i) {
        x -= fm.horizontalAdvance(names[i]);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPointF(x, y + fm.ascent() / 2.0), names[i]);
        x -= 24;
        painter.setPen(QPen(kCurveColours[i], 2));
        painter.drawLine(QPointF(x, y), QPointF(x + 18, y));
        x -= 14;
    }
}

void PatternPlot::drawUnplotted(QPainter& painter, const QRectF& area) const
{
    QStringList parts;
    const QString names[2] = {tr("co-polar"), tr("cross-polar")};
    for (int i = 0; i < 2; ++i) {
        if (m_curves[i].unplotted.isEmpty())
            continue;
        QStringList rows;
        for (int row : m_curves[i].unplotted)
            rows << QString::number(row + 1);
        parts << tr("%1 row %2").arg(names[i], rows.join(QLatin1String(", ")));
    }
    if (parts.isEmpty())
        return;
    const int line = fontMetrics().height();
    const QString text = tr("Not plotted: ") + parts.join(QLatin1String("; "));
    painter.setPen(kCurveColours[1]);
    painter.drawText(QRectF(area.left(), area.bottom() + line, area.width(), line), Qt::AlignLeft,
                     fontMetrics().elidedText(text, Qt::ElideRight, int(area.width() * 0.7)));
}

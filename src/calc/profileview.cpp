#include "profileview.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const int kMargin = 8;
const int kAxisLeft = 56;
const int kAxisBottom = 22;
const int kTitleHeight = 18;

// The heights one hop's drawing has to hold.
struct HopHeights
{
    QList<QPointF> ground; // terrain + earth bulge
    double low = 0.0;
    double high = 0.0;
};

HopHeights heightsOf(const PathProfile& p)
{
    HopHeights h;
    const double length = p.lengthKm();
    h.low = h.high = p.antennaFromM;
    for (const QPointF& point : p.points) {
        const double d1 = point.x();
        const double ground = point.y() + earthBulgeM(d1, length - d1, p.earthRadiusKm);
        h.ground.append(QPointF(d1, ground));
        const double sight = p.antennaFromM + (p.antennaToM - p.antennaFromM) * (length > 0 ? d1 / length : 0.0);
        const double fresnel = fresnelRadiusM(d1, length - d1, p.frequencyGHz);
        h.low = std::min({h.low, ground, sight - fresnel});
        h.high = std::max({h.high, ground, sight + fresnel});
    }
    h.high = std::max(h.high, p.antennaToM);
    // Some ground below the lowest point, some air above the highest.
    const double span = std::max(h.high - h.low, 10.0);
    h.low -= span * 0.05;
    h.high += span * 0.08;
    return h;
}

} // namespace

ProfileView::ProfileView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(320, 200);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ProfileView::setProfiles(const QList<PathProfile>& profiles)
{
    m_profiles = profiles;
    update();
}

QSize ProfileView::sizeHint() const
{
    return QSize(520, 240 * std::max<qsizetype>(1, m_profiles.size()));
}

void ProfileView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_profiles.isEmpty()) {
        painter.drawText(rect(), Qt::AlignCenter, tr("No path profile in this report."));
        return;
    }
    const int legend = painter.fontMetrics().height() + kMargin;
    const double band = double(height() - legend) / m_profiles.size();
    for (int i = 0; i < m_profiles.size(); ++i)
        paintHop(painter, m_profiles.at(i), QRectF(0, band * i, width(), band));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRectF(kAxisLeft, height() - legend, width() - kAxisLeft - kMargin, legend - kMargin / 2),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     tr("Brown: terrain over the curved earth.  Blue: line of sight.  Green: first Fresnel zone."));
}

void ProfileView::paintHop(QPainter& painter, const PathProfile& p, const QRectF& area) const
{
    const HopHeights h = heightsOf(p);
    const double length = std::max(p.lengthKm(), 1e-6);
    const QRectF plot(area.left() + kAxisLeft, area.top() + kMargin + kTitleHeight,
                      area.width() - kAxisLeft - kMargin, area.height() - 2 * kMargin - kTitleHeight - kAxisBottom);
    if (plot.width() < 10 || plot.height() < 10)
        return;
    auto at = [&](double km, double m) {
        return QPointF(plot.left() + km / length * plot.width(),
                       plot.bottom() - (m - h.low) / (h.high - h.low) * plot.height());
    };

    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRectF(plot.left(), area.top() + kMargin, plot.width(), kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     tr("Hop %1: %2 -> %3, %4 km, %5 GHz")
                         .arg(p.hop)
                         .arg(p.from, p.to)
                         .arg(p.lengthKm(), 0, 'f', 2)
                         .arg(p.frequencyGHz, 0, 'f', 3));

    // Terrain, filled down to the bottom of the plot.
    QPainterPath ground;
    ground.moveTo(at(0, h.low));
    for (const QPointF& g : h.ground)
        ground.lineTo(at(g.x(), g.y()));
    ground.lineTo(at(length, h.low));
    ground.closeSubpath();
    painter.setPen(QPen(QColor(110, 80, 40), 1));
    painter.setBrush(QColor(200, 170, 120));
    painter.drawPath(ground);

    // First Fresnel zone around the line of sight.
    QPainterPath upper;
    QPainterPath lower;
    const int steps = 100;
    for (int i = 0; i <= steps; ++i) {
        const double d1 = length * i / steps;
        const double sight = p.antennaFromM + (p.antennaToM - p.antennaFromM) * d1 / length;
        const double r = fresnelRadiusM(d1, length - d1, p.frequencyGHz);
        const QPointF up = at(d1, sight + r);
        const QPointF down = at(d1, sight - r);
        if (i == 0) {
            upper.moveTo(up);
            lower.moveTo(down);
        } else {
            upper.lineTo(up);
            lower.lineTo(down);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 140, 60), 1, Qt::DashLine));
    painter.drawPath(upper);
    painter.drawPath(lower);

    painter.setPen(QPen(QColor(30, 70, 200), 2));
    painter.drawLine(at(0, p.antennaFromM), at(length, p.antennaToM));

    // Axes: heights at the bottom and top, distance at both ends.
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(plot);
    const QFontMetrics fm = painter.fontMetrics();
    const QString lowText = QStringLiteral("%1 m").arg(std::round(h.low));
    const QString highText = QStringLiteral("%1 m").arg(std::round(h.high));
    painter.drawText(QRectF(area.left(), plot.bottom() - fm.height(), kAxisLeft - 4, fm.height()),
                     Qt::AlignRight | Qt::AlignVCenter, lowText);
    painter.drawText(QRectF(area.left(), plot.top(), kAxisLeft - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                     highText);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), kAxisBottom - 2),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("0 km"));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), kAxisBottom - 2),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1 km").arg(p.lengthKm(), 0, 'f', 2));

}

#ifndef PROFILEVIEW_H
#define PROFILEVIEW_H

#include "pathprofile.h"

#include <QWidget>

// Draws the hops of a calculated path one under the other: the terrain
// raised by the earth's curvature, the line of sight between the antennas
// and the first Fresnel zone around it.
class ProfileView : public QWidget
{
    Q_OBJECT

public:
    explicit ProfileView(QWidget* parent = nullptr);

    void setProfiles(const QList<PathProfile>& profiles);
    const QList<PathProfile>& profiles() const { return m_profiles; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintHop(class QPainter& painter, const PathProfile& profile, const QRectF& area) const;

    QList<PathProfile> m_profiles;
};

#endif

#ifndef HCMPATTERN_H
#define HCMPATTERN_H

#include "checksettings.h"
#include "hcmpatternpoint.h"
#include "textstore.h"

#include <QByteArray>
#include <QByteArrayView>

// One radiation pattern of an antenna (co-polar or cross-polar): a pattern code
// and the points in the order read or added.
//
// Points are kept packed (two texts a point in one buffer); point() hands out a
// copy, angleView()/attenuationView() a view that stays valid until the pattern
// changes. All points of a pattern refer to the pattern's check settings.
class HCMPattern
{
public:
    HCMPattern(bool coPolar, const CheckSettings* settings) : m_coPolar(coPolar), m_settings(settings) {}

    bool isCoPolar() const { return m_coPolar; }

    QByteArray code() const { return m_code.view(0).toByteArray(); }
    QByteArrayView codeView() const { return m_code.view(0); }
    void setCode(QByteArrayView code) { m_code.set(0, code); }

    int count() const { return m_points.size() / 2; }
    HCMPatternPoint point(int i) const;
    QByteArrayView angleView(int i) const { return m_points.view(2 * i); }
    QByteArrayView attenuationView(int i) const { return m_points.view(2 * i + 1); }

    void addPoint(QByteArrayView angle, QByteArrayView attenuation, const CheckSettings* settings = nullptr);
    void setPoint(int i, QByteArrayView angle, QByteArrayView attenuation);
    void removePoint(int i);
    void clearPoints() { m_points.clear(); }
    // count points given as angle, attenuation, angle, ... in one go.
    void addPoints(const QByteArrayView* texts, int count, const CheckSettings* settings = nullptr);

    const CheckSettings* checkSettings() const { return m_settings; }
    void setCheckSettings(const CheckSettings* settings) { m_settings = settings; }

    // Copies code, check settings and points; the co-polar flag is the
    // antenna's own and stays.
    void assignFrom(const HCMPattern& other);

private:
    bool m_coPolar;
    const CheckSettings* m_settings;
    TextStore m_code{1};
    TextStore m_points;
};

#endif

#include "hcmpattern.h"

HCMPatternPoint HCMPattern::point(int i) const
{
    return HCMPatternPoint(angleView(i).toByteArray(), attenuationView(i).toByteArray(), m_settings);
}

void HCMPattern::addPoint(QByteArrayView angle, QByteArrayView attenuation, const CheckSettings* settings)
{
    if (settings)
        m_settings = settings;
    m_points.append(angle);
    m_points.append(attenuation);
}

void HCMPattern::addPoints(const QByteArrayView* texts, int count, const CheckSettings* settings)
{
    if (count <= 0)
        return;
    if (settings)
        m_settings = settings;
    if (m_points.size() == 0) {
        m_points.assign(texts, 2 * count);
        return;
    }
    for (int i = 0; i < 2 * count; ++i)
        m_points.append(texts[i]);
}

void HCMPattern::setPoint(int i, QByteArrayView angle, QByteArrayView attenuation)
{
    m_points.set(2 * i, angle);
    m_points.set(2 * i + 1, attenuation);
}

void HCMPattern::removePoint(int i)
{
    m_points.removeAt(2 * i + 1);
    m_points.removeAt(2 * i);
}

void HCMPattern::assignFrom(const HCMPattern& other)
{
    if (&other == this)
        return;
    setCode(other.codeView());
    m_settings = other.m_settings;
    m_points.clear();
    for (int i = 0; i < other.count(); ++i)
        addPoint(other.angleView(i), other.attenuationView(i));
}

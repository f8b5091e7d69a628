#ifndef HCMPATTERNPOINT_H
#define HCMPATTERNPOINT_H

#include "checksettings.h"

#include <QByteArray>

// One point of a radiation pattern: an angle in degrees and the attenuation in
// dB at that angle, both as the texts found in the file.
class HCMPatternPoint
{
public:
    HCMPatternPoint() = default;
    HCMPatternPoint(QByteArray angle, QByteArray attenuation, const CheckSettings* settings)
        : m_angle(std::move(angle)), m_attenuation(std::move(attenuation)), m_settings(settings)
    {
    }

    QByteArray angle() const { return m_angle; }
    QByteArray attenuation() const { return m_attenuation; }
    const CheckSettings* checkSettings() const { return m_settings; }

private:
    QByteArray m_angle;
    QByteArray m_attenuation;
    const CheckSettings* m_settings = nullptr;
};

#endif

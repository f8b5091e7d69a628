#include "hcmantenna.h"

HCMAntenna::HCMAntenna(const CheckSettings* settings)
    : m_coPolar(true, settings), m_crossPolar(false, settings), m_settings(settings)
{
}

void HCMAntenna::setCheckSettings(const CheckSettings* settings)
{
    m_settings = settings;
    m_coPolar.setCheckSettings(settings);
    m_crossPolar.setCheckSettings(settings);
}

void HCMAntenna::assignFrom(const HCMAntenna& other)
{
    if (&other == this)
        return;
    for (int f = 0; f < FieldCount; ++f)
        setText(Field(f), other.view(Field(f)));
    m_coPolar.assignFrom(other.m_coPolar);
    m_crossPolar.assignFrom(other.m_crossPolar);
    m_settings = other.m_settings;
}

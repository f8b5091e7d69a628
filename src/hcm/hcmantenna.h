#ifndef HCMANTENNA_H
#define HCMANTENNA_H

#include "checksettings.h"
#include "hcmpattern.h"
#include "textstore.h"

#include <QByteArray>

// The antenna of a station: five texts (9XM, 9XT, 9XFL, 9XFU, 9X1) and its
// co-polar and cross-polar radiation patterns.
class HCMAntenna
{
public:
    enum Field { Manufacturer, Type, LowerFrequency, UpperFrequency, Gain, FieldCount };

    explicit HCMAntenna(const CheckSettings* settings);

    QByteArray text(Field f) const { return m_texts.view(f).toByteArray(); }
    QByteArrayView view(Field f) const { return m_texts.view(f); }
    void setText(Field f, QByteArrayView text) { m_texts.set(f, text); }
    // All FieldCount texts at once (reading a line).
    void assignTexts(const QByteArrayView* texts) { m_texts.assign(texts, FieldCount); }

    HCMPattern& coPolar() { return m_coPolar; }
    const HCMPattern& coPolar() const { return m_coPolar; }
    HCMPattern& crossPolar() { return m_crossPolar; }
    const HCMPattern& crossPolar() const { return m_crossPolar; }

    const CheckSettings* checkSettings() const { return m_settings; }
    void setCheckSettings(const CheckSettings* settings);

    void assignFrom(const HCMAntenna& other);

private:
    TextStore m_texts{FieldCount};
    HCMPattern m_coPolar;
    HCMPattern m_crossPolar;
    const CheckSettings* m_settings;
};

#endif

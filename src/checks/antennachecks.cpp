#include "antennachecks.h"

#include "checkrules.h"
#include "hcm/hcmantenna.h"
#include "hcm/hcmpattern.h"
#include "hcm/hcmpatternpoint.h"

namespace {

CheckSettings bitsOf(const HCMAntenna& a) { return checkBits(a.checkSettings()); }

int checkAntennaName(QByteArrayView t, CheckSettings bits, int emptyCode, int lengthCode, int charactersCode)
{
    if (bits & CheckCalcOnly)
        return 0;
    if (t.isEmpty())
        return emptyCode;
    if (t.size() > 20)
        return lengthCode;
    if (charactersFail(bits, t))
        return charactersCode;
    return 0;
}

int checkAntennaFrequency(QByteArrayView t, CheckSettings bits, int numberCode, int formatCode, int valueCode)
{
    if (bits & CheckCalcOnly)
        return 0;
    if (t.isEmpty())
        return 0;
    double value;
    if (!readNumber(t, value))
        return numberCode;
    if (formatFails(bits, t, 2, 3, false))
        return formatCode;
    if ((bits & CheckSuspiciousValues) && (value < 0 || value > 60))
        return valueCode;
    return 0;
}

struct PatternCodes
{
    QByteArrayView accepted[3];
    int missing;
    int noData;
    int incorrect;
    int lowerCase;
};
const PatternCodes kCoPolarCodes{{"CP", "VV", "HH"}, 15, 115, 11, 1059};
const PatternCodes kCrossPolarCodes{{"HV", "VH", "XP"}, 8, 126, 12, 1060};

const PatternCodes& codesOf(const HCMPattern& p) { return p.isCoPolar() ? kCoPolarCodes : kCrossPolarCodes; }

} // namespace

int checkAntennaManufacturer(const HCMAntenna& a)
{
    return checkAntennaName(a.view(HCMAntenna::Manufacturer), bitsOf(a), 9, 10, 1000);
}

int checkAntennaType(const HCMAntenna& a)
{
    return checkAntennaName(a.view(HCMAntenna::Type), bitsOf(a), 13, 14, 1053);
}

int checkAntennaLowerFrequency(const HCMAntenna& a)
{
    return checkAntennaFrequency(a.view(HCMAntenna::LowerFrequency), bitsOf(a), 16, 1038, 1056);
}

int checkAntennaUpperFrequency(const HCMAntenna& a)
{
    return checkAntennaFrequency(a.view(HCMAntenna::UpperFrequency), bitsOf(a), 18, 1039, 1057);
}

int checkAntennaGain(const HCMAntenna& a)
{
    const QByteArrayView t = a.view(HCMAntenna::Gain);
    const CheckSettings bits = bitsOf(a);
    if (t.isEmpty())
        return 20;
    double value;
    if (!readNumber(t, value))
        return 21;
    // Here the value rule comes before the format rule.
    if ((bits & CheckSuspiciousValues) && (value < -10 || value > 60))
        return 1058;
    if (formatFails(bits, t, 2, 1, false))
        return 1040;
    return 0;
}

int checkPattern(const HCMPattern& p)
{
    const PatternCodes& codes = codesOf(p);
    const QByteArrayView code = p.codeView();
    if (code.isEmpty())
        return p.count() > 0 ? codes.missing : 0;
    bool accepted = false;
    for (QByteArrayView entry : codes.accepted)
        accepted = accepted || equalsUpperCased(code, entry);
    if (!accepted)
        return codes.incorrect;
    if ((checkBits(p.checkSettings()) & CheckIllegalCharacters) && hasLowerCase(code))
        return codes.lowerCase;
    return 0;
}

void appendPatternPresence(const HCMPattern& p, const HCMPattern& q, QList<int>& codes)
{
    const PatternCodes& own = codesOf(p);
    if (p.codeView().isEmpty()) {
        if (p.count() > 0) {
            codes.append(checkPattern(p));
        } else if (!q.codeView().isEmpty() || q.count() > 0) {
            codes.append(own.missing);
            codes.append(own.noData);
        }
        return;
    }
    if (p.count() == 0)
        codes.append(own.noData);
    if (const int code = checkPattern(p))
        codes.append(code);
}

int checkPointAngleText(QByteArrayView angle, const CheckSettings* settings)
{
    if (angle.isEmpty())
        return 1;
    double value;
    if (!readNumber(angle, value))
        return 2;
    if (value < 0 || value > 360)
        return 3;
    if (formatFails(checkBits(settings), angle, 3, 1, false))
        return 1036;
    return 0;
}

int checkPointAttenuationText(QByteArrayView attenuation, const CheckSettings* settings)
{
    if (attenuation.isEmpty())
        return 5;
    double value;
    if (!readNumber(attenuation, value))
        return 6;
    if (value < 0)
        return 7;
    if (formatFails(checkBits(settings), attenuation, 2, 1, false))
        return 1037;
    return 0;
}

int checkPointAngle(const HCMPattern& p, int i) { return checkPointAngleText(p.angleView(i), p.checkSettings()); }

int checkPointAttenuation(const HCMPattern& p, int i)
{
    return checkPointAttenuationText(p.attenuationView(i), p.checkSettings());
}

int checkPointAngle(const HCMPatternPoint& point)
{
    return checkPointAngleText(point.angle(), point.checkSettings());
}

int checkPointAttenuation(const HCMPatternPoint& point)
{
    return checkPointAttenuationText(point.attenuation(), point.checkSettings());
}

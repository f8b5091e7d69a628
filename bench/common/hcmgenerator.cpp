#include "hcmgenerator.h"

#include <QByteArray>
#include <QFile>

namespace {

// Small deterministic generator, so every run writes the same file.
class Lcg
{
public:
    explicit Lcg(quint32 seed) : m_state(seed) {}
    int below(int n)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return int((m_state >> 8) % quint32(n));
    }

private:
    quint32 m_state;
};

QByteArray twoDigits(int v)
{
    return QByteArray::number(v).rightJustified(2, '0');
}

QByteArray coordinates(Lcg& rnd)
{
    const int lonDeg = 5 + rnd.below(20);
    const int latDeg = 44 + rnd.below(12);
    return QByteArray::number(lonDeg).rightJustified(3, '0') + 'E' + twoDigits(rnd.below(60))
           + twoDigits(rnd.below(60)) + twoDigits(latDeg) + 'N' + twoDigits(rnd.below(60))
           + twoDigits(rnd.below(60));
}

void appendPattern(QByteArray& line, const char* code, int baseAttenuation, Lcg& rnd)
{
    line += ';';
    line += code;
    line += ";36";
    for (int i = 0; i < 36; ++i) {
        const int angle = i < 18 ? i * 2 : 36 + (i - 18) * 8;
        const int attenuation = qMin(99, baseAttenuation + i * 2 + rnd.below(3));
        line += ';';
        line += QByteArray::number(angle);
        line += ';';
        line += QByteArray::number(attenuation) + '.' + QByteArray::number(rnd.below(10));
    }
}

QByteArray recordLine(int n, Lcg& rnd)
{
    static const char* const kBands[][3] = {
        {"12807", "12.750", "13.250"}, {"13073", "12.750", "13.250"}, {"18765", "17.700", "19.700"},
        {"22106", "21.200", "23.600"}, {"23114", "21.200", "23.600"}, {"38318", "37.000", "39.500"},
        {"7512.5", "7.125", "8.500"},  {"6175.25", "5.925", "6.425"},
    };
    const auto& band = kBands[rnd.below(8)];
    const bool tx = n % 2 == 0;
    QByteArray line;
    line.reserve(1024);
    line += tx ? "TX;" : "RX;";
    line += band[0];
    line += ";M;1;FX;CP;A;01032024;STATION ";
    line += QByteArray::number(n);
    line += ";AUT;";
    line += coordinates(rnd);
    line += ';' + QByteArray::number(200 + rnd.below(1800));
    line += ";28M0D7W;NORDWELLE;NW PLUS;155M;0;0;14;0;21;25;28;35;42;45;56;50;4L;;28;";
    line += tx ? "-3.0;10;" : ";;";
    line += QByteArray::number(rnd.below(360)) + '.' + QByteArray::number(rnd.below(10));
    line += ";0.5;";
    line += rnd.below(2) ? 'V' : 'H';
    line += tx ? ";;" : ";-112;";
    line += "1.5;" + QByteArray::number(10 + rnd.below(60));
    line += ";GENERATED STATION;C;15012024;15052024;AUT";
    line += QByteArray::number(n).rightJustified(17, '0');
    line += ";ANTENNENWERK;PA8-130;";
    line += band[1];
    line += ';';
    line += band[2];
    line += ";41.5";
    appendPattern(line, "CP", 0, rnd);
    appendPattern(line, "XP", 28, rnd);
    return line;
}

} // namespace

bool writeNationalHcmFile(const QString& path, int records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    Lcg rnd(20261206u);
    QByteArray chunk = "1;GENERATED NATIONAL FILE;N;AUT;A MUSTERFRAU;+43 1 5550100;+43 1 5550199;"
                       "COORD@EXAMPLE.AT;"
                       + QByteArray::number(records) + ";06122026\r";
    for (int n = 0; n < records; ++n) {
        chunk += recordLine(n, rnd);
        chunk += '\r';
        if (chunk.size() > (1 << 20)) {
            if (file.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    return file.write(chunk) == chunk.size() && file.flush();
}

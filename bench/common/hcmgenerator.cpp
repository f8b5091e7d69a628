#include "hcmgenerator.h"

#include <QByteArray>
#include <QSaveFile>

namespace {

// A small deterministic generator, so every run writes the same file.
class Random
{
public:
    quint32 next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return quint32(m_state >> 11);
    }
    int between(int low, int high) { return low + int(next() % quint32(high - low + 1)); }

private:
    quint64 m_state = 0x9E3779B97F4A7C15ull;
};

struct Band
{
    const char* frequencyMHz[4];
    const char* spacing;
    const char* emission;
};

const Band kBands[] = {
    {{"6175", "6235", "6305", "6375"}, "29.65", "28M0D7W"},
    {{"7450", "7520", "7590", "7660"}, "28", "28M0D7W"},
    {{"13020", "13048", "13076", "13104"}, "28", "28M0G7W"},
    {{"18030", "18085", "18140", "18195"}, "55", "56M0D7W"},
    {{"23030", "23058", "23086", "23114"}, "28", "28M0D7W"},
    {{"38080", "38136", "38192", "38248"}, "56", "56M0D7W"},
};

QByteArray number(int value) { return QByteArray::number(value); }

// A value with one decimal, from tenths.
QByteArray tenths(int value)
{
    QByteArray text = value < 0 ? QByteArray("-") : QByteArray();
    value = qAbs(value);
    text += QByteArray::number(value / 10);
    if (value % 10 != 0)
        text += '.' + QByteArray::number(value % 10);
    return text;
}

QByteArray twoDigits(int value) { return QByteArray::number(value).rightJustified(2, '0'); }

QByteArray header(int recordCount)
{
    return "1;BENCHMARK STATION LIST;N;AUT;BENCHMARK;+43 1 0000000;+43 1 0000001;BENCH@EXAMPLE.AT;"
        + number(recordCount) + ";06122026";
}

void appendPattern(QByteArray& line, const char* code, int floorTenths, Random& random)
{
    line += ';';
    line += code;
    line += ";36";
    for (int i = 0; i < 36; ++i) {
        // Attenuation rises away from the main beam and stays high behind it.
        const int off = i <= 18 ? i : 36 - i;
        const int att = qMin(999, floorTenths + off * 45 + random.between(0, 9));
        line += ';';
        line += number(i * 10);
        line += ';';
        line += tenths(i == 0 && floorTenths == 0 ? 0 : att);
    }
}

QByteArray record(int index, Random& random)
{
    const Band& band = kBands[(index / 2) % int(std::size(kBands))];
    const bool transmitter = index % 2 == 0;
    QByteArray name = "STATION " + number(index / 2) + (transmitter ? " A" : " B");
    if (index % 100 == 99)
        name = name.toLower();

    QByteArray line;
    line.reserve(1024);
    line += transmitter ? "TX;" : "RX;";
    line += band.frequencyMHz[random.between(0, 3)];
    line += ";M;" + number(random.between(1, 8)) + ";FX;CP;A;" + twoDigits(random.between(1, 28))
        + twoDigits(random.between(1, 12)) + number(random.between(1995, 2026)) + ';';
    line += name + ";AUT;";
    line += "0" + twoDigits(random.between(9, 16)) + 'E' + twoDigits(random.between(0, 59))
        + twoDigits(random.between(0, 59));
    line += twoDigits(random.between(46, 48)) + 'N' + twoDigits(random.between(0, 59))
        + twoDigits(random.between(0, 59)) + ';';
    line += number(random.between(150, 2500)) + ';' + band.emission + ";MAKER " + number(index % 7)
        + ";RADIO " + number(index % 13) + ";155M;";
    // TX/RX mask: offsets in MHz and attenuation in dB, the last at least 40 dB.
    line += "0;0;" + number(random.between(14, 20)) + ";25;" + number(random.between(28, 40)) + ";"
        + number(random.between(45, 60)) + ";;;;;;;";
    line += "5A;;" + QByteArray(band.spacing) + ';' + (transmitter ? number(random.between(10, 30)) : QByteArray())
        + ";" + (transmitter ? "10" : "") + ';';
    line += tenths(random.between(0, 3599)) + ';' + tenths(random.between(-50, 50)) + ';'
        + (random.next() % 2 ? "V" : "H") + ';' + (transmitter ? QByteArray() : QByteArray("-") + number(random.between(100, 125)))
        + ';' + tenths(random.between(0, 50)) + ';' + number(random.between(5, 80)) + ";;Z;;;";
    line += "AUTBENCH000000" + number(index % 1000000).rightJustified(6, '0') + ';';
    line += "ANTENNA CO;DISH " + number(index % 5) + ';';
    const int gigahertz = QByteArray(band.frequencyMHz[0]).toInt() / 1000;
    line += number(gigahertz) + ".0;" + number(gigahertz + 1) + ".0;" + tenths(random.between(300, 480));
    appendPattern(line, "CP", 0, random);
    appendPattern(line, "XP", 250, random);
    return line;
}

} // namespace

bool writeHcmBenchmarkFile(const QString& path, int recordCount, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    Random random;
    QByteArray chunk = header(recordCount) + '\r';
    for (int i = 0; i < recordCount; ++i) {
        chunk += record(i, random);
        chunk += '\r';
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

#include "filecomparison.h"

#include "hcm/fieldindex.h"
#include "hcm/hcmfile.h"

#include <QCoreApplication>

#include <algorithm>
#include <unordered_map>

namespace {

struct ViewHash
{
    std::size_t operator()(QByteArrayView v) const { return qHash(v); }
};

// The characters a trimmed text loses at its ends, as the Latin-1 text the
// inputs show: the ASCII white space and the two Latin-1 spaces.
bool isBlank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u == ' ' || (u >= 0x09 && u <= 0x0d) || u == 0x85 || u == 0xa0;
}

QByteArrayView trimmed(QByteArrayView v)
{
    qsizetype from = 0;
    qsizetype to = v.size();
    while (from < to && isBlank(v[from]))
        ++from;
    while (to > from && isBlank(v[to - 1]))
        --to;
    return v.sliced(from, to - from);
}

void compareText(std::vector<FieldDifference>& out, int field, QByteArrayView main,
                 QByteArrayView aux)
{
    if (main == aux || trimmed(main) == trimmed(aux))
        return;
    out.push_back({field, main.toByteArray(), aux.toByteArray()});
}

// Point by point when both have as many points; otherwise one difference
// naming the two counts.
void comparePoints(std::vector<FieldDifference>& out, const HCMPattern& main,
                   const HCMPattern& aux, int countField, int angleField, int attenuationField)
{
    if (main.count() != aux.count()) {
        out.push_back({countField, QByteArray::number(main.count()), QByteArray::number(aux.count())});
        return;
    }
    for (int i = 0; i < main.count(); ++i) {
        compareText(out, angleField, main.angleView(i), aux.angleView(i));
        compareText(out, attenuationField, main.attenuationView(i), aux.attenuationView(i));
    }
}

QString padded(QString text, int width)
{
    if (text.size() < width)
        text += QString(width - text.size(), QLatin1Char(' '));
    return text;
}

QString latin1(QByteArrayView v)
{
    return QString::fromLatin1(v.data(), v.size());
}

} // namespace

std::vector<ComparePair> matchRecords(const HCMFile& main, const HCMFile& aux)
{
    // The first main record of each reference wins, as a walk in file order would find it.
    std::unordered_map<QByteArrayView, int, ViewHash> firstOf;
    firstOf.reserve(std::size_t(main.recordCount()));
    for (int m = 0; m < main.recordCount(); ++m)
        firstOf.emplace(main.recordAt(m)->view(HcmField::CoordinationReference), m);
    std::vector<ComparePair> pairs;
    for (int a = 0; a < aux.recordCount(); ++a) {
        const auto it = firstOf.find(aux.recordAt(a)->view(HcmField::CoordinationReference));
        if (it != firstOf.end())
            pairs.push_back({a, it->second});
    }
    return pairs;
}

void keepPairsInTable(std::vector<ComparePair>& pairs, const std::vector<bool>& inTable)
{
    const auto gone = [&inTable](const ComparePair& p) {
        return p.main < 0 || p.main >= int(inTable.size()) || !inTable[std::size_t(p.main)];
    };
    pairs.erase(std::remove_if(pairs.begin(), pairs.end(), gone), pairs.end());
}

std::vector<FieldDifference> compareRecords(const HCMRecord& main, const HCMRecord& aux)
{
    std::vector<FieldDifference> out;
    // Field numbers follow the line; the mask group takes number 17, so the
    // texts from the first mask point on are one further along.
    for (int f = 0; f < kHcmFieldCount; ++f) {
        const int index = f < FiMask ? f : f + 1;
        compareText(out, index, main.view(HcmField(f)), aux.view(HcmField(f)));
    }
    const HCMAntenna& ma = main.antenna();
    const HCMAntenna& aa = aux.antenna();
    for (int f = 0; f < HCMAntenna::FieldCount; ++f)
        compareText(out, FiAntennaManufacturer + f, ma.view(HCMAntenna::Field(f)),
                    aa.view(HCMAntenna::Field(f)));
    compareText(out, FiCoPolarPattern, ma.coPolar().codeView(), aa.coPolar().codeView());
    compareText(out, FiCrossPolarPattern, ma.crossPolar().codeView(), aa.crossPolar().codeView());
    comparePoints(out, ma.coPolar(), aa.coPolar(), FiCoPolarCount, FiCoPolarAngle,
                  FiCoPolarAttenuation);
    comparePoints(out, ma.crossPolar(), aa.crossPolar(), FiCrossPolarCount, FiCrossPolarAngle,
                  FiCrossPolarAttenuation);
    return out;
}

std::vector<PairDifferences> compareAllPairs(const HCMFile& main, const HCMFile& aux,
                                             const std::vector<ComparePair>& pairs,
                                             const CompareStep& step)
{
    std::vector<PairDifferences> result;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (step && !step(int(i)))
            break;
        const HCMRecord* m = main.recordAt(pairs[i].main);
        const HCMRecord* a = aux.recordAt(pairs[i].aux);
        if (!m || !a)
            continue;
        std::vector<FieldDifference> fields = compareRecords(*m, *a);
        if (!fields.empty())
            result.push_back({pairs[i].main, pairs[i].aux, std::move(fields)});
    }
    return result;
}

std::vector<int> unmatchedAuxNumbers(int auxCount, const std::vector<ComparePair>& pairs)
{
    std::vector<bool> matched(std::size_t(std::max(auxCount, 0)), false);
    for (const ComparePair& p : pairs) {
        if (p.aux >= 0 && p.aux < auxCount)
            matched[std::size_t(p.aux)] = true;
    }
    std::vector<int> numbers;
    for (int a = 0; a < auxCount; ++a) {
        if (!matched[std::size_t(a)])
            numbers.push_back(a);
    }
    return numbers;
}

std::vector<int> stationListNumbers(StationList list, int auxCount,
                                    const std::vector<ComparePair>& pairs)
{
    std::vector<int> numbers;
    switch (list) {
    case StationList::All:
        for (int a = 0; a < auxCount; ++a)
            numbers.push_back(a);
        break;
    case StationList::Matched:
        for (const ComparePair& p : pairs)
            numbers.push_back(p.aux);
        break;
    case StationList::NotMatched:
        numbers = unmatchedAuxNumbers(auxCount, pairs);
        break;
    }
    return numbers;
}

QString stationListTitle(StationList list)
{
    switch (list) {
    case StationList::All:
        return QCoreApplication::translate("HCMFileCompare", "All stations");
    case StationList::Matched:
        return QCoreApplication::translate("HCMFileCompare", "Matched stations");
    case StationList::NotMatched:
        break;
    }
    return QCoreApplication::translate("HCMFileCompare", "Stations did not match");
}

QString stationListText(const HCMFile& aux, const std::vector<int>& numbers,
                        const CompareStep& step)
{
    QString heading = padded(QStringLiteral("|Name of station"), 41);
    heading = padded(heading + QStringLiteral("|Frequency"), 53);
    heading = padded(heading + QStringLiteral("|Co-ord. reference"), 74);
    QString text = heading + QStringLiteral("|T/R|\n") + QString(79, QLatin1Char('-'))
        + QLatin1Char('\n');
    text.reserve(text.size() + qsizetype(numbers.size()) * 80);
    const QChar bar(QLatin1Char('|'));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (step && !step(int(i)))
            break;
        const HCMRecord* r = aux.recordAt(numbers[i]);
        if (!r)
            continue;
        text += bar + padded(latin1(r->view(HcmField::StationName)), 40) + bar
            + padded(latin1(r->view(HcmField::Frequency)), 11) + bar
            + padded(latin1(r->view(HcmField::CoordinationReference)), 20) + bar
            + padded(latin1(r->view(HcmField::TypeOfEntry)), 3) + bar + QLatin1Char('\n');
    }
    return text;
}

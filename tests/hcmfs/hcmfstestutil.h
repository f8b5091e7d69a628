// Helpers shared by the calculation-library tests: record lines built field
// by field, and the shared library loaded the way the program loads it.
#ifndef HCMFS_TESTUTIL_H
#define HCMFS_TESTUTIL_H

#include "hcmfs_api.h"

#include <QByteArray>
#include <QLibrary>
#include <QMap>
#include <QStringList>

#include <cmath>

namespace hcmfstest {

// A record line with 49 fields; values by 0-based field position, then the
// optional pattern blocks appended as given ("CP;2;0;0;180;40").
inline QByteArray recordLine(const QMap<int, QByteArray>& values, const QByteArray& patterns = QByteArray())
{
    QByteArrayList fields;
    for (int i = 0; i < 49; ++i)
        fields << values.value(i);
    QByteArray line = fields.join(';');
    if (!patterns.isEmpty())
        line += ';' + patterns;
    return line;
}

// Two stations on one meridian at 1 N and 1 03' N (5.5597 km apart), site
// height 100 m, antennas 30 m above ground, 2 GHz, pointing at each other.
inline QMap<int, QByteArray> flatTx()
{
    return {{0, "TX"},   {1, "2000"},  {2, "M"},  {8, "FLAT TX"}, {9, "KEN"},  {10, "036E000001N0000"},
            {11, "100"}, {16, "10"},   {17, "0"}, {18, "10"},     {19, "60"},  {31, "-30"},
            {33, "0"},   {34, "0"},    {35, "V"}, {37, "1"},      {38, "30"},  {48, "30"}};
}

inline QMap<int, QByteArray> flatRx()
{
    return {{0, "RX"},   {1, "2000"}, {2, "M"},   {8, "FLAT RX"}, {9, "KEN"},  {10, "036E000001N0300"},
            {11, "100"}, {16, "5"},   {17, "0"},  {18, "5"},      {19, "60"},  {33, "180"},
            {34, "0"},   {35, "V"},   {36, "-100"}, {37, "2"},    {38, "30"},  {48, "30"}};
}

// Flat to 0.5 degrees, 20 dB at 10 degrees, 40 dB at 180 degrees.
inline QByteArray flatPattern()
{
    return "CP;4;0;0;0.5;0;10;20;180;40";
}

struct Outputs {
    double overlap = -1;
    float nfd = -1, md = -1, i = -1, aTotal = -1, td = -1;
    int error = -1;

    bool allZero() const
    {
        return overlap == 0 && nfd == 0 && md == 0 && i == 0 && aTotal == 0 && td == 0;
    }
};

class Library {
public:
    Library()
        : lib_(QStringLiteral(LINKWISE_BINDIR "/HCMFS_DLL"))
    {
        if (lib_.load()) {
            v2_ = reinterpret_cast<HCMFS_V2_Fn>(lib_.resolve("HCMFS_V2"));
            annex11_ = reinterpret_cast<HCMFS_ANNEX11_1_Fn>(lib_.resolve("HCMFS_ANNEX11_1"));
        }
    }
    bool ok() const { return v2_ && annex11_; }
    QString fileName() const { return lib_.fileName(); }
    HCMFS_ANNEX11_1_Fn annex11() const { return annex11_; }

    Outputs call(const QList<QByteArray>& records, const QByteArray& report = QByteArray(),
                 const QByteArray& terrain = QByteArray()) const
    {
        Outputs o;
        QList<QByteArray> r = records;
        while (r.size() < 4)
            r << QByteArray();
        v2_(&o.overlap, &o.nfd, &o.md, &o.i, &o.aTotal, &o.td, &o.error, r[0].constData(), int(r[0].size()),
            r[1].constData(), int(r[1].size()), r[2].isEmpty() ? nullptr : r[2].constData(), int(r[2].size()),
            r[3].isEmpty() ? nullptr : r[3].constData(), int(r[3].size()),
            report.isEmpty() ? nullptr : report.constData(), int(report.size()),
            terrain.isEmpty() ? nullptr : terrain.constData(), int(terrain.size()));
        return o;
    }

private:
    QLibrary lib_;
    HCMFS_V2_Fn v2_ = nullptr;
    HCMFS_ANNEX11_1_Fn annex11_ = nullptr;
};

} // namespace hcmfstest

#endif

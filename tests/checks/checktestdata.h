#ifndef CHECKTESTDATA_H
#define CHECKTESTDATA_H

#include "hcm/hcmrecord.h"

#include <QByteArray>
#include <QList>

#include <memory>

// A transmitter record with no finding under any check class; tests change
// one or two fields of it and look at what the checks say.
inline QByteArray cleanRecordLine(const QByteArray& type = "TX")
{
    return type
        + ";13000;M;1;FX;CP;A;01012020;VIENNA NORTH;AUT;016E220048N1230;512;28M0D7W;MAKER;TYPE A1;155M;"
          "0;0;7;20;14;45;;;;;;;2;;28;10;5;123.5;0.5;V;-120;2;25;;Z;;;ABCDEFGHIJKLMN000001;ANTCO;A1;12.7;13.25;"
          "38.5;CP;3;0;0;10;20;180;45;XP;2;0;30;180;50";
}

inline std::unique_ptr<HCMRecord> cleanRecord(const CheckSettings* settings, const QByteArray& type = "TX")
{
    auto r = std::make_unique<HCMRecord>(settings);
    r->parseLine(cleanRecordLine(type));
    return r;
}

// "61 84 1015" from a code list, so that a failing comparison reads well.
inline QByteArray codeText(const QList<int>& codes)
{
    QByteArray out;
    for (int c : codes) {
        if (!out.isEmpty())
            out += ' ';
        out += QByteArray::number(c);
    }
    return out;
}

#endif

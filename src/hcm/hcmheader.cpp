#include "hcmheader.h"

#include "fieldcursor.h"

namespace {
const int kHeaderTooShort = 145;
const int kHeaderTooLong = 146;
}

void HCMHeader::clear()
{
    for (int f = 0; f < FieldCount; ++f)
        setText(Field(f), QByteArrayView());
}

QByteArray HCMHeader::toLine() const
{
    QByteArray out;
    for (int f = 0; f < FieldCount; ++f) {
        if (f > 0)
            out += ';';
        out += view(Field(f));
    }
    return out;
}

int HCMHeader::parseLine(QByteArrayView line)
{
    FieldCursor cursor(line);
    QByteArrayView field;
    for (int f = 0; f < WritingDate; ++f) {
        if (!cursor.next(field))
            return kHeaderTooShort;
        setText(Field(f), field);
    }
    if (cursor.rest().contains(';'))
        return kHeaderTooLong;
    setText(WritingDate, cursor.rest());
    return 0;
}

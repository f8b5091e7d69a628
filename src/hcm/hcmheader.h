#ifndef HCMHEADER_H
#define HCMHEADER_H

#include "checksettings.h"
#include "textstore.h"

#include <QByteArray>
#include <QByteArrayView>

// The optional first line of an HCM file: ten texts about the file and its
// sender, plus the number of records the file really holds (kept up to date by
// HCMFile, so the header check can compare it with the "number of records" text).
class HCMHeader
{
public:
    enum Field {
        FileNumber,
        FileContents,
        FileContentsCode,
        Country,
        ResponsiblePerson,
        Phone,
        Telefax,
        Email,
        NumberOfRecords,
        WritingDate,
        FieldCount
    };

    explicit HCMHeader(const CheckSettings* settings) : m_settings(settings) {}

    QByteArray text(Field f) const { return m_texts.view(f).toByteArray(); }
    QByteArrayView view(Field f) const { return m_texts.view(f); }
    void setText(Field f, QByteArrayView text) { m_texts.set(f, text); }
    void clear();

    int actualRecordCount() const { return m_actualRecordCount; }
    void setActualRecordCount(int count) { m_actualRecordCount = count; }

    const CheckSettings* checkSettings() const { return m_settings; }
    void setCheckSettings(const CheckSettings* settings) { m_settings = settings; }

    QByteArray toLine() const;
    int parseLine(QByteArrayView line);

private:
    TextStore m_texts{FieldCount};
    int m_actualRecordCount = 0;
    const CheckSettings* m_settings;
};

#endif

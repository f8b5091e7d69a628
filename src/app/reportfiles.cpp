#include "reportfiles.h"

#include <QFile>

ReportFiles::Names ReportFiles::next()
{
    Names names;
    do {
        ++m_counter;
        names.report = m_folder + QStringLiteral("/report%1.lwrpt").arg(m_counter);
        names.detail = m_folder + QStringLiteral("/detreport%1.txt").arg(m_counter);
    } while (QFile::exists(names.report) || QFile::exists(names.detail));
    return names;
}

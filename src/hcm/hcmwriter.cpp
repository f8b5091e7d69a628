#include "hcmwriter.h"

#include "hcmheader.h"
#include "hcmrecord.h"

namespace {
const qsizetype kFlushSize = 1 << 20;
}

HcmWriter::HcmWriter(const QString& path) : m_file(path) {}

HcmWriter::~HcmWriter()
{
    abandon();
}

bool HcmWriter::open()
{
    if (m_file.fileName().isEmpty())
        return false;
    m_ok = m_file.open(QIODevice::WriteOnly);
    m_buffer.reserve(kFlushSize + 4096);
    return m_ok;
}

void HcmWriter::writeHeader(const HCMHeader& header)
{
    m_buffer += header.toLine();
    m_buffer += '\r';
    flushIfFull();
}

void HcmWriter::writeRecord(const HCMRecord& record)
{
    record.appendLine(m_buffer);
    m_buffer += '\r';
    flushIfFull();
}

void HcmWriter::flushIfFull()
{
    if (m_buffer.size() < kFlushSize)
        return;
    if (m_ok && m_file.write(m_buffer) != m_buffer.size())
        m_ok = false;
    m_buffer.clear();
}

bool HcmWriter::commit()
{
    if (!m_file.isOpen())
        return false;
    if (m_ok && !m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        m_ok = false;
    m_buffer.clear();
    if (!m_ok) {
        m_file.cancelWriting();
        m_file.commit();
        return false;
    }
    return m_file.commit();
}

void HcmWriter::abandon()
{
    if (!m_file.isOpen())
        return;
    m_file.cancelWriting();
    m_file.commit(); // with writing cancelled this only removes the temporary file
    m_buffer.clear();
}

bool HcmWriter::writeFile(const QString& path, const HCMHeader* header,
                          const std::vector<const HCMRecord*>& records)
{
    HcmWriter writer(path);
    if (!writer.open())
        return false;
    if (header)
        writer.writeHeader(*header);
    for (const HCMRecord* record : records)
        writer.writeRecord(*record);
    return writer.commit();
}

#ifndef HCMWRITER_H
#define HCMWRITER_H

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <vector>

class HCMHeader;
class HCMRecord;

// Writes an HCM file: optional header line, then one line per record, each
// line ended by a single CR.
//
// The lines go to a temporary file beside the target, which replaces the
// target only on commit(). A failed or abandoned write (cancel, full disk)
// therefore leaves the user's previous file exactly as it was.
class HcmWriter
{
public:
    explicit HcmWriter(const QString& path);
    ~HcmWriter();
    HcmWriter(const HcmWriter&) = delete;
    HcmWriter& operator=(const HcmWriter&) = delete;

    // False when the path is empty or the file cannot be created.
    bool open();
    void writeHeader(const HCMHeader& header);
    void writeRecord(const HCMRecord& record);
    // Replaces the target with what was written; false when anything failed.
    bool commit();
    // Drops what was written; the target stays untouched.
    void abandon();
    QString errorString() const { return m_file.errorString(); }

    static bool writeFile(const QString& path, const HCMHeader* header,
                          const std::vector<const HCMRecord*>& records);

private:
    void flushIfFull();

    QSaveFile m_file;
    QByteArray m_buffer;
    bool m_ok = false;
};

#endif

#ifndef ARCHIVEUNPACKER_H
#define ARCHIVEUNPACKER_H

#include <QString>
#include <QStringList>

// Unpacks terrain archives with the external unzip program. Every archive is
// listed first: one with an entry that would land outside the target folder
// (an absolute path, a drive, "..") is refused whole.
namespace ArchiveUnpacker {

// unzip.exe beside the program, else unzip.exe or unzip on the search path;
// empty when there is none.
QString findUnzip(const QString& programFolder);

// True when the archive entry stays inside the folder it is unpacked into.
bool isSafeEntry(const QString& entry);

// Unpacks archive into targetFolder (created when missing), overwriting.
// Returns an empty text on success, else what went wrong: the listing or the
// unpacking failed, an entry was refused, or a file is missing afterwards.
QString unpack(const QString& unzip, const QString& archive, const QString& targetFolder);

} // namespace ArchiveUnpacker

#endif

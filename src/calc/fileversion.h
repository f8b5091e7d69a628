#ifndef FILEVERSION_H
#define FILEVERSION_H

#include <QString>

// The file version text of a library file, four numbers joined by dots
// ("2.1.0.3"), or empty when the file carries none or cannot be read.
//
// Windows keeps it in the file's version resource. Shared objects elsewhere
// have no such resource, so an HCM library embeds the text
// "HCMFS-FILE-VERSION:" followed by its dotted version and a NUL byte, and
// the file's bytes are searched for it; the library is never loaded for this.
QString fileVersionText(const QString& fileName);

// The marker that precedes the version in a library built for a platform
// without version resources.
extern const char kFileVersionMarker[];

// The file name of the HCM calculation library on this platform
// ("HCMFS_DLL.dll", "libHCMFS_DLL.so", "libHCMFS_DLL.dylib").
QString hcmLibraryFileName();

#endif

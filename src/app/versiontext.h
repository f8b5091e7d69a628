#ifndef VERSIONTEXT_H
#define VERSIONTEXT_H

#include <QString>

// Dotted version texts ("2.1.0.3") of the program and of calculation libraries.
namespace VersionText {

// Compares by the first four numbers: 1 when candidate is newer than current,
// 0 when it is not, -1 when either text is unreadable (fewer than three parts
// or a part that is not a number). A missing fourth part counts as 0.
int compare(const QString& current, const QString& candidate);

// The version a library file carries: the text after the marker
// "HCMFS-FILE-VERSION:" up to the next NUL byte. Empty when the file cannot be
// read or carries no readable marker.
QString ofFile(const QString& path);

} // namespace VersionText

#endif

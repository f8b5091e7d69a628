#ifndef LIBRARYINSTALL_H
#define LIBRARYINSTALL_H

#include <QString>

// Replacing the HCM calculation library with a downloaded one. The download
// goes into a file beside the library; only a complete file that proves to be
// a calculation library takes the library's place, so a broken transfer never
// leaves a broken library behind.
namespace LibraryInstall {

// Where a new library is downloaded before it replaces libraryPath.
QString partialFile(const QString& libraryPath);
QString backupFile(const QString& libraryPath);

// Copies the library to its backup, replacing an older backup. True when
// there is no library yet or the copy was made.
bool makeBackup(const QString& libraryPath, QString* error);

// Checks that candidate loads, has both entry points and carries a version
// text; on success version receives it, else error says why.
bool verify(const QString& candidate, QString* version, QString* error);

// Verifies the downloaded partial file and renames it over the library. On
// any failure the library stays as it was and the partial file is removed.
bool install(const QString& libraryPath, QString* version, QString* error);

} // namespace LibraryInstall

#endif

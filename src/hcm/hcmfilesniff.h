#ifndef HCMFILESNIFF_H
#define HCMFILESNIFF_H

#include <QString>

// Whether a file looks like an HCM file at all: HCM lines are fields joined by
// semicolons, so a file without a single semicolon in its text (which ends at
// the first NUL byte, as for the reader) is some other text. An HCM file
// answers at its first line. A file that cannot be read counts as looking
// like one: the reader reports that itself.
bool looksLikeHcmFile(const QString& path);

#endif

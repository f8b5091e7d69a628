#ifndef HCMGENERATOR_H
#define HCMGENERATOR_H

#include <QString>

// Writes a synthetic HCM file shaped like a national database: a header and
// `records` TX/RX stations spread over central Europe, each with a six-point
// mask and 36-point co-polar and cross-polar patterns (about 850 bytes a
// record). Values are deterministic, so runs are comparable. Returns false
// when the file cannot be written.
bool writeNationalHcmFile(const QString& path, int records);

#endif

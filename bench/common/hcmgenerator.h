#ifndef HCMGENERATOR_H
#define HCMGENERATOR_H

#include <QString>

// Writes an HCM file shaped like a national station list, for benchmarks: a
// header and recordCount records, alternately transmitters and receivers in
// the bands from 6 to 38 GHz, each with a three-point TX/RX mask and 36-point
// co-polar and cross-polar radiation patterns (about 850 bytes a record, so
// 100,000 records make some 85 MB). The content depends only on the count.
//
// The records pass the syntax check, except that every hundredth station
// name is in lower case (a warning only), so a check has items to build as it
// would on real data. Lines end in CR, as the program writes them.
//
// Returns false, with the reason in *error when given, if the file cannot be
// written.
bool writeHcmBenchmarkFile(const QString& path, int recordCount, QString* error = nullptr);

#endif

#ifndef VERSIONCOMPARE_H
#define VERSIONCOMPARE_H

#include <QString>

// Compares two dotted version texts ("2.1.0.3") by their first four numbers.
// Returns 1 when the candidate is newer than the current version, 0 when it
// is not (older or equal), -1 when either text is not a version: fewer than
// three numbers, or a part among the first four that is not a decimal number.
// Empty parts ("2..1.0") are skipped. A text of exactly three numbers counts
// as if its fourth were 0, so "2.1.1" equals "2.1.1.0" and is older than
// "2.1.1.3".
int compareVersions(const QString& current, const QString& candidate);

#endif

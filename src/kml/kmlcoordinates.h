#ifndef KMLCOORDINATES_H
#define KMLCOORDINATES_H

#include <QByteArrayView>

// The decimal degrees of one half of a 4C value: degrees, the hemisphere
// letter (N, S, E or W, either case), two digits of minutes and two of
// seconds. East and north are positive; a longitude beyond 180 degrees east
// wraps round to the west. False, leaving degrees alone, when the text has no
// hemisphere letter, a part that is not a whole number, more than 360 degrees
// of longitude or more than 90 of latitude.
bool kmlDegrees(QByteArrayView text, double& degrees);

// The same, but only for a longitude (a text with E or W) or only for a
// latitude (a text with neither), so that swapped halves are caught.
bool kmlLongitude(QByteArrayView text, double& degrees);
bool kmlLatitude(QByteArrayView text, double& degrees);

// A height text read as a number the way C reads one: leading blanks skipped,
// reading stops at the first character that cannot continue the number, and
// a text without a number (or with an infinite one) gives 0.
double kmlAltitude(QByteArrayView text);

#endif

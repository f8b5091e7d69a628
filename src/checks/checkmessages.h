#ifndef CHECKMESSAGES_H
#define CHECKMESSAGES_H

#include <QByteArray>

// Every finding of the syntax check is a code: 0 none, 1 to 999 an error,
// 1000 and above a warning. The severity follows from the number alone, so
// the error list, its counts and the field colours all agree.

// The fixed message of a code; "Unknown error" for any code without one.
QByteArray checkMessage(int code);

inline bool isWarningCode(int code) { return code >= 1000; }

#endif

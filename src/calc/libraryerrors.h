#ifndef LIBRARYERRORS_H
#define LIBRARYERRORS_H

#include <QString>

// The meaning of an HCM calculation library error code, for messages that
// name it ("2004: a terrain tile ..."). Unknown codes give the number alone.
QString libraryErrorText(int code);

#endif

#ifndef CHECKSETTINGS_H
#define CHECKSETTINGS_H

// The check-class flag word of an editor window. Records, antennas, patterns
// and points hold a pointer to their window's word, so switching a class on or
// off takes effect for every object of that file at once. The bits are defined
// with the checks.
using CheckSettings = int;

#endif

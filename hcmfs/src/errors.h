// Error codes of the calculation library (0 = success). The program stores
// them unread; the detailed report prints their meaning.
#ifndef HCMFS_ERRORS_H
#define HCMFS_ERRORS_H

namespace hcmfs {

enum ErrorCode {
    ErrNone = 0,
    ErrRecordSyntax = 2000,
    ErrStationTypes = 2001,
    ErrFrequency = 2002,
    ErrCoordinates = 2003,
    ErrTerrainTile = 2004,
    ErrNoMask = 2005,
    ErrNoAntenna = 2006,
    ErrReportFile = 2007,
    ErrBorderData = 2008,
    ErrCountryBuffer = 2009,
    ErrNumerical = 2010,
    ErrPower = 2011,
    ErrNoise = 2012,
    ErrShortHop = 2013,
    ErrStationGeometry = 2014
};

const char* errorMeaning(int code);

} // namespace hcmfs

#endif

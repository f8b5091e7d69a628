// Version of the calculation library: printed in every detailed report and
// embedded in the shared library as its file version marker.
#ifndef HCMFS_VERSION_H
#define HCMFS_VERSION_H

#define HCMFS_VERSION "1.0.0.0"
#define HCMFS_VERSION_NUMBERS 1, 0, 0, 0
#define HCMFS_P452_REVISION "ITU-R P.452-18 (clear air)"

#endif

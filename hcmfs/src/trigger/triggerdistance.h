// Co-ordination trigger distance: how far a station's influence must be looked
// for, by frequency band and by the height of its antenna above sea level.
#ifndef HCMFS_TRIGGER_TRIGGERDISTANCE_H
#define HCMFS_TRIGGER_TRIGGERDISTANCE_H

namespace hcmfs::trigger {

// Distance in km within which a neighbouring country's border triggers
// co-ordination, for a frequency in GHz and an antenna height above sea level
// in m (site height plus antenna height above ground). 0 when the frequency is
// not a finite positive number.
double triggerDistanceKm(double frequencyGHz, double antennaHeightAslM);

// The largest distance the table can give; bounds any search for borders.
double maxTriggerDistanceKm();

} // namespace hcmfs::trigger

#endif

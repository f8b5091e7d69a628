// Specific attenuation of dry air and water vapour, summed line by line over
// the oxygen and water-vapour resonances (the spectroscopic model of ITU-R
// P.676 Annex 1). Valid from 1 to 350 GHz and used below 1 GHz as well, where
// the result is tiny.
#ifndef HCMFS_GASEOUS_H
#define HCMFS_GASEOUS_H

namespace hcmfs {

struct GasAttenuation {
    double oxygen = 0; // dB/km, dry air including the continuum
    double water = 0;  // dB/km
};

// f in GHz, dry-air pressure in hPa, temperature in K, water-vapour density in g/m3.
GasAttenuation specificAttenuation(double fGHz, double pressureHpa, double temperatureK, double rho);

} // namespace hcmfs

#endif

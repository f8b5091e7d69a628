// Where the library finds its data: the terrain argument of a call names a
// data root; when it is empty the machine-wide settings file of the program
// gives the folders (keys topo, morpho, border). A root may hold TOPO/,
// MORPHO/ and BORDER/ folders or be the topography folder itself.
#ifndef HCMFS_DATALOCATIONS_H
#define HCMFS_DATALOCATIONS_H

#include <map>
#include <string>

namespace hcmfs {

struct DataLocations {
    std::string topo;    // empty: no terrain configured (smooth earth)
    std::string morpho;
    std::string border;
    std::string root;    // where the refractivity maps are looked for
    std::string origin;  // how the locations were found, for the report
    bool topoFound = false; // topo was just seen to be a folder
};

// A calculation needs no border folder; leaving it out saves looking for it.
DataLocations resolveDataLocations(const std::string& terrainArgument, bool withBorder = true);

// The machine-wide settings file: LINKWISE_MACHINE_INI when set, else the
// platform's machine-wide location of the program's INI file.
std::string machineSettingsPath();

// Minimal INI reader: keys outside any section or in [General]; quotes
// around a value are removed and doubled backslashes undone.
std::map<std::string, std::string> readIniGeneral(const std::string& path);

bool isDirectory(const std::string& path);
// The folder holding path ("" for a bare name); trailing separators ignored.
std::string parentFolder(const std::string& path);
std::string joinPath(const std::string& dir, const std::string& name);

} // namespace hcmfs

#endif

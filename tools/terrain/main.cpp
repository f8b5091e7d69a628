// hcmfs-terrain-gen: writes the small synthetic terrain set shipped under
// samples/terrain (TOPO/<strip>/<tile> and MORPHO/<strip>/<tile>), so that a
// new user can see terrain and radio-climatic zones at work without real
// data. Tiles are 1 degree cells in the HCM .63E/.63M layout (north of 50
// degrees) or, with --hgt, SRTM-style .hgt files for the heights.
#include "samplescene.h"
#include "terrain.h"
#include "terrainwriter.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

#if defined(_WIN32)
#include <direct.h>
#define MKDIR(p) _mkdir(p)
#else
#define MKDIR(p) mkdir(p, 0755)
#endif

namespace {

bool makeDir(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return (st.st_mode & S_IFMT) == S_IFDIR;
    return MKDIR(path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: hcmfs-terrain-gen OUTDIR [--hgt]\n"
                             "Writes OUTDIR/TOPO/E016/E016N50.63E and OUTDIR/TOPO/E017/E017N50.63E\n"
                             "(or .hgt files with --hgt): a plain with a ridge at 16.9 E, and\n"
                             "OUTDIR/MORPHO/E016/E016N50.63M and OUTDIR/MORPHO/E017/E017N50.63M:\n"
                             "a stretch of sea from 16.95 to 17.02 E lined by coastal land.\n");
        return argc < 2 ? 2 : 0;
    }
    const std::string root = argv[1];
    const bool hgt = argc > 2 && std::strcmp(argv[2], "--hgt") == 0;
    if (!makeDir(root)) {
        std::fprintf(stderr, "hcmfs-terrain-gen: cannot create %s\n", root.c_str());
        return 1;
    }
    const int lat0 = 50;
    for (const bool heights : {true, false}) {
        const std::string top = root + (heights ? "/TOPO" : "/MORPHO");
        if (!makeDir(top)) {
            std::fprintf(stderr, "hcmfs-terrain-gen: cannot create %s\n", top.c_str());
            return 1;
        }
        for (int lon0 : {16, 17}) {
            const std::string name = hcmfs::tileName(lon0, lat0);
            const std::string strip = top + "/" + name.substr(0, 4);
            if (!makeDir(strip)) {
                std::fprintf(stderr, "hcmfs-terrain-gen: cannot create %s\n", strip.c_str());
                return 1;
            }
            std::string message;
            bool ok = false;
            std::string path;
            if (!heights) {
                path = strip + "/" + name + ".63M";
                ok = hcmfs::writeHcmTile(path, lon0, lat0, true, samplescene::zone, message);
            } else if (hgt) {
                path = strip + "/" + name + ".hgt";
                ok = hcmfs::writeHgtTile(path, lon0, lat0, 1201, samplescene::height, message);
            } else {
                path = strip + "/" + name + ".63E";
                ok = hcmfs::writeHcmTile(path, lon0, lat0, true, samplescene::height, message);
            }
            if (!ok) {
                std::fprintf(stderr, "hcmfs-terrain-gen: %s\n", message.c_str());
                return 1;
            }
            std::printf("%s\n", path.c_str());
        }
    }
    return 0;
}

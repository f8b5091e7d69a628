#include "profilecsv.h"

#include "csvtable.h"

#include <fstream>
#include <sstream>

namespace hcmfs {
namespace {

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> out;
    if (line.find(',') != std::string::npos) {
        std::istringstream in(line);
        std::string cell;
        while (std::getline(in, cell, ','))
            out.push_back(cell);
        return out;
    }
    std::istringstream in(line);
    std::string cell;
    while (in >> cell)
        out.push_back(cell);
    return out;
}

} // namespace

bool readProfileFile(const std::string& path, P452Profile& profile, std::string& message)
{
    profile = P452Profile();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        message = "cannot open profile file " + path;
        return false;
    }
    std::string line;
    int lineNo = 0;
    bool haveClutter = false, haveZone = false;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> f = splitFields(line);
        if (f.empty())
            continue;
        double dist = 0, height = 0;
        if (!parseNumber(f[0], dist) || f.size() < 2 || !parseNumber(f[1], height)) {
            if (profile.d.empty() && lineNo == 1)
                continue; // column names
            message = "line " + std::to_string(lineNo) + " of " + path + " is not a profile point";
            return false;
        }
        double clutter = 0, zoneNumber = ZoneInland;
        if (f.size() >= 3 && parseNumber(f[2], clutter))
            haveClutter = true;
        if (f.size() >= 5 && parseNumber(f[4], zoneNumber))
            haveZone = true;
        else if (f.size() >= 4) {
            const std::string& z = f[3];
            if (z == "A1")
                zoneNumber = ZoneCoastalLand, haveZone = true;
            else if (z == "B")
                zoneNumber = ZoneSea, haveZone = true;
        }
        if (zoneNumber != ZoneCoastalLand && zoneNumber != ZoneInland && zoneNumber != ZoneSea) {
            message = "line " + std::to_string(lineNo) + " of " + path + " has an unknown zone";
            return false;
        }
        profile.d.push_back(dist);
        profile.h.push_back(height);
        profile.r.push_back(clutter);
        profile.zone.push_back(static_cast<int>(zoneNumber));
    }
    if (!haveClutter)
        profile.r.clear();
    if (!haveZone)
        profile.zone.clear();
    if (profile.d.size() < 4) {
        message = "profile " + path + " has fewer than 4 points";
        return false;
    }
    return true;
}

} // namespace hcmfs

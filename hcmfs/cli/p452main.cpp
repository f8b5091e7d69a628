// hcmfs-p452: runs the propagation core of the calculation library on one
// terrain profile and prints every path parameter and loss component, one
// name=value line each. For engineers checking a path by hand and for the
// validation tests.
#include "p452.h"
#include "profilecsv.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

const char* const kUsage =
    "usage: hcmfs-p452 --profile FILE --f GHZ --p PCT --htg M --hrg M --phit-e DEG --phit-n DEG\n"
    "                  --phir-e DEG --phir-n DEG --gt DBI --gr DBI --pol 1|2 --dct KM --dcr KM\n"
    "                  --press HPA --temp C --dn DN --n0 N0 [--ae KM]\n";

bool toNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    std::map<std::string, std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string key = argv[i];
        if (key == "--help" || key == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (key.rfind("--", 0) != 0 || i + 1 >= argc) {
            std::fprintf(stderr, "hcmfs-p452: unexpected argument %s\n%s", key.c_str(), kUsage);
            return 2;
        }
        args[key.substr(2)] = argv[++i];
    }
    const char* required[] = {"profile", "f", "p", "htg", "hrg", "phit-e", "phit-n", "phir-e", "phir-n",
                              "gt", "gr", "pol", "dct", "dcr", "press", "temp", "dn", "n0"};
    for (const char* name : required) {
        if (!args.count(name)) {
            std::fprintf(stderr, "hcmfs-p452: missing --%s\n%s", name, kUsage);
            return 2;
        }
    }
    hcmfs::P452Params par;
    double pol = 0;
    struct Number {
        const char* name;
        double* target;
    } numbers[] = {{"f", &par.f},         {"p", &par.p},         {"htg", &par.htg},
                   {"hrg", &par.hrg},     {"phit-e", &par.phitE}, {"phit-n", &par.phitN},
                   {"phir-e", &par.phirE}, {"phir-n", &par.phirN}, {"gt", &par.gt},
                   {"gr", &par.gr},       {"pol", &pol},         {"dct", &par.dct},
                   {"dcr", &par.dcr},     {"press", &par.press}, {"temp", &par.temp},
                   {"dn", &par.dn},       {"n0", &par.n0},       {"ae", &par.ae}};
    for (const Number& n : numbers) {
        auto it = args.find(n.name);
        if (it == args.end())
            continue;
        if (!toNumber(it->second, *n.target)) {
            std::fprintf(stderr, "hcmfs-p452: --%s needs a number, got '%s'\n", n.name, it->second.c_str());
            return 2;
        }
    }
    par.pol = static_cast<int>(pol);

    hcmfs::P452Profile profile;
    std::string message;
    if (!hcmfs::readProfileFile(args["profile"], profile, message)) {
        std::fprintf(stderr, "hcmfs-p452: %s\n", message.c_str());
        return 1;
    }
    hcmfs::P452Result r;
    const int rc = hcmfs::computeP452(profile, par, r);
    if (rc != 0) {
        const char* why = rc == hcmfs::P452BadProfile ? "the profile is not usable (at least 4 points, "
                                                        "first distance 0, distances rising)"
            : rc == hcmfs::P452BadParameter ? "a parameter is out of range (f 0.1-50 GHz, p 0.001-50 %, "
                                              "heights above 0, pol 1 or 2)"
                                            : "the calculation produced a non-finite value";
        std::fprintf(stderr, "hcmfs-p452: %s\n", why);
        return 1;
    }
    const struct {
        const char* name;
        double value;
    } rows[] = {{"ae", r.ae},         {"dtot", r.dtot},       {"hts", r.hts},     {"hrs", r.hrs},
                {"theta_t", r.thetaT}, {"theta_r", r.thetaR}, {"theta", r.theta}, {"hm", r.hm},
                {"hte", r.hte},       {"hre", r.hre},         {"hstd", r.hstd},   {"hsrd", r.hsrd},
                {"dlt", r.dlt},       {"dlr", r.dlr}};
    for (const auto& row : rows)
        std::printf("%s=%.8f\n", row.name, row.value);
    std::printf("path=%s\n", r.transHorizon ? "Trans-Horizon" : "Line of Sight");
    const struct {
        const char* name;
        double value;
    } rest[] = {{"dtm", r.dtm},     {"dlm", r.dlm},     {"b0", r.b0},       {"omega", r.omega},
                {"Lb", r.lb},       {"Lbfsg", r.lbfsg}, {"Lb0p", r.lb0p},   {"Lb0b", r.lb0b},
                {"Ldsph", r.ldsph}, {"Ld50", r.ld50},   {"Ldp", r.ldp},     {"Lbs", r.lbs},
                {"Lba", r.lba}};
    for (const auto& row : rest)
        std::printf("%s=%.8f\n", row.name, row.value);
    return 0;
}

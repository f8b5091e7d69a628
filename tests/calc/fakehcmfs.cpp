// A stand-in HCM calculation library for the engine tests. It answers from
// directives in the remarks field (13Z, field 39) of the lines it is given,
// so a test decides each case's outcome in its data:
//   td=X err=N il=X oa=X nfd=X md=X at=X (X may be inf, -inf or nan)
//   sleep=MS (wait before answering), cty=TEXT (trigger answer, '_' = blank)
// Without directives a case answers TD 10 dB and error 0.
//
// When the environment names a log file (FAKEHCMFS_LOG) every call appends one
// line to it: the entry point, the station names (field 8) joined by '>', then
// every text argument exactly as received, separated by tabs.
#include "hcmfs_api.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern "C" HCMFS_EXPORT const char fakeFileVersion[] = "HCMFS-FILE-VERSION:9.8.7.6";

namespace {

std::string field(const std::string& line, int n)
{
    size_t from = 0;
    for (int i = 0; i < n; ++i) {
        from = line.find(';', from);
        if (from == std::string::npos)
            return std::string();
        ++from;
    }
    return line.substr(from, line.find(';', from) - from); // npos - from: to the end
}

// The value of directive key in any of the lines, the last one winning.
bool directive(const std::vector<std::string>& lines, const std::string& key, std::string* value)
{
    bool found = false;
    for (const std::string& line : lines) {
        const std::string remarks = " " + field(line, 39) + " ";
        const std::string token = " " + key + "=";
        const size_t at = remarks.find(token);
        if (at == std::string::npos)
            continue;
        const size_t begin = at + token.size();
        *value = remarks.substr(begin, remarks.find(' ', begin) - begin);
        found = true;
    }
    return found;
}

double number(const std::vector<std::string>& lines, const std::string& key, double fallback)
{
    std::string text;
    return directive(lines, key, &text) ? std::strtod(text.c_str(), nullptr) : fallback;
}

void pause(const std::vector<std::string>& lines)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<long>(number(lines, "sleep", 0))));
}

void logCall(const char* entry, const std::vector<std::string>& stations, const std::vector<std::string>& texts)
{
    const char* path = std::getenv("FAKEHCMFS_LOG");
    if (!path || !*path)
        return;
    std::string names;
    for (const std::string& s : stations) {
        if (!s.empty())
            names += (names.empty() ? "" : ">") + field(s, 8);
    }
    std::string out = std::string(entry) + '\t' + names;
    for (const std::string& t : texts)
        out += '\t' + t;
    std::ofstream(path, std::ios::binary | std::ios::app)
        << out + '\n'; // one write: calls may come from several threads
}

std::string text(const char* p, int n)
{
    return p && n > 0 ? std::string(p, static_cast<size_t>(n)) : std::string();
}

} // namespace

extern "C" HCMFS_EXPORT void HCMFS_V2(double* overlappingArea, float* nfd, float* md, float* interferenceLevel,
                                      float* aTotal, float* td, int* error, const char* s1, int n1, const char* s2,
                                      int n2, const char* s3, int n3, const char* s4, int n4,
                                      const char* detailFile, int nDetail, const char* terrain, int nTerrain)
{
    const std::vector<std::string> lines{text(s1, n1), text(s2, n2), text(s3, n3), text(s4, n4)};
    const std::string detail = text(detailFile, nDetail);
    std::vector<std::string> texts = lines;
    texts.insert(texts.end(), {detail, text(terrain, nTerrain)});
    logCall("V2", lines, texts);
    pause(lines);
    *overlappingArea = number(lines, "oa", 0.5);
    *nfd = static_cast<float>(number(lines, "nfd", 1.25));
    *md = static_cast<float>(number(lines, "md", 2.5));
    *interferenceLevel = static_cast<float>(number(lines, "il", -123.456789));
    *aTotal = static_cast<float>(number(lines, "at", 150.125));
    *td = static_cast<float>(number(lines, "td", 10.0));
    *error = static_cast<int>(number(lines, "err", 0));
    if (!detail.empty()) {
        std::ofstream report(detail, std::ios::binary);
        report << "Detailed calculation\n";
        for (const std::string& line : lines) {
            if (!line.empty())
                report << field(line, 0) << ' ' << field(line, 8) << '\n';
        }
    }
}

#ifndef FAKEHCMFS_WITHOUT_ANNEX11
extern "C" HCMFS_EXPORT void HCMFS_ANNEX11_1(int* error, const char* line, int n, char* countries, int capacity,
                                             const char* terrain, int nTerrain)
{
    const std::vector<std::string> lines{text(line, n)};
    logCall("ANNEX11", lines, {lines[0], text(terrain, nTerrain)});
    pause(lines);
    std::string answer;
    if (!directive(lines, "cty", &answer))
        answer = "HNG,SVN SVK";
    std::replace(answer.begin(), answer.end(), '_', ' ');
    for (int i = 0; i < capacity; ++i)
        countries[i] = i < static_cast<int>(answer.size()) ? answer[static_cast<size_t>(i)] : ' ';
    *error = static_cast<int>(number(lines, "err", 0));
}
#endif

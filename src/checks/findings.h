#ifndef FINDINGS_H
#define FINDINGS_H

#include "filecheck.h"

#include <atomic>
#include <vector>

class HCMFile;
struct LineCode;

// A code the file reader gave for the header (record number -1) or a line.
struct ReaderFinding
{
    int recordNumber;
    int code;
};

// Everything a whole-file check found, as the error list and the command line
// show it: what the reader itself found first, then the header and record
// items of the check, with the totals over both.
struct FindingList
{
    std::vector<ReaderFinding> reader;
    std::vector<FileCheckItem> items;
    int errors = 0;
    int warnings = 0;
    bool cancelled = false;

    bool isEmpty() const { return reader.empty() && items.empty(); }
    // The items as the error list holds them, each with its record number.
    struct Entry
    {
        QString text;
        int recordNumber;
    };
    std::vector<Entry> entries() const;
};

// Runs the whole-file check over the records numbered in rows (in that
// order) and adds what the reader found for the header and for those records.
// progress is called before each record; cancel stops the check there.
FindingList collectFindings(const HCMFile& file, const std::vector<int>& rows, int headerReadCode,
                            const std::vector<LineCode>& lineCodes,
                            const FileCheck::Progress& progress = {},
                            const std::atomic_bool* cancel = nullptr);

#endif

#ifndef CALCMODE_H
#define CALCMODE_H

// The four kinds of calculation run, numbered as report windows and the
// finished(int) signal of CALC know them.
enum CalcMode : int {
    ListToListMode = 0,   // a testing file against a reference file
    SingleEntryMode = 1,  // one case taken from one file
    DetailedMode = 2,     // one case, the library writes a text report
    TriggerMode = 3       // Annex 11 trigger for co-ordination over one file
};

// What one run did, for summaries and benchmarks.
struct CalcStatistics
{
    long long pairsTested = 0;  // pairs put to the frequency and distance tests
    long long libraryCalls = 0;
    long long rowsWritten = 0;  // rows stored in the report file
    long long errorRows = 0;    // of those, rows carrying a library error
    int commonError = 0;        // the library error found most often
};

#endif

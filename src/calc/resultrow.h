#ifndef RESULTROW_H
#define RESULTROW_H

#include <QString>

// One row of the results table of a report file, in column order. The file
// numbers are kept as "lies in the testing file" flags and written as 1 or 2.
struct ResultRow
{
    int txIndex = -1;
    bool txTesting = true;
    int prxIndex = -1;
    int ptxIndex = -1;
    bool repeaterTesting = true;
    int rxIndex = -1;
    bool rxTesting = true;
    QString txName;
    QString prxName;
    QString ptxName;
    QString rxName;
    double td = 0.0;
    int error = 0;
    QString txCountry;
    QString repeaterCountry;
    QString rxCountry;
    QString txReference;
    QString prxReference;
    QString ptxReference;
    QString rxReference;
    double interferenceLevel = 0.0;
    double overlappingArea = 0.0;
    double nfd = 0.0;
    double md = 0.0;
    double aTotal = 0.0;
};

#endif

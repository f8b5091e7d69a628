#ifndef FILECOMPARISON_H
#define FILECOMPARISON_H

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

class HCMFile;
class HCMRecord;

// One auxiliary record and the main record it was matched with, by number.
struct ComparePair
{
    int aux;
    int main;
};

// One field in which two matched records differ: the comparison's field
// number and both texts as held (main first), or the two point counts.
struct FieldDifference
{
    int field;
    QByteArray mainValue;
    QByteArray auxValue;
};

// The differences of one matched pair that has any.
struct PairDifferences
{
    int main;
    int aux;
    std::vector<FieldDifference> fields;
};

// Called before each item; false stops the loop (cancel).
using CompareStep = std::function<bool(int done)>;

// Pairs every auxiliary record, in file order, with the first main record in
// file order whose 13X is byte-wise equal (two empty references are equal).
// The main references are indexed once, so the work grows with the sum of the
// two files, not their product.
std::vector<ComparePair> matchRecords(const HCMFile& main, const HCMFile& aux);

// Drops the pairs whose main record has no row any more; inTable is indexed
// by main record number.
void keepPairsInTable(std::vector<ComparePair>& pairs, const std::vector<bool>& inTable);

// The fields in which two records differ once blanks at both ends are
// ignored, in line order, then the pattern codes and points.
std::vector<FieldDifference> compareRecords(const HCMRecord& main, const HCMRecord& aux);

// Every pair with differences, in pair order. Stops early when step says so.
std::vector<PairDifferences> compareAllPairs(const HCMFile& main, const HCMFile& aux,
                                             const std::vector<ComparePair>& pairs,
                                             const CompareStep& step = {});

// The three lists of auxiliary stations.
enum class StationList { All, Matched, NotMatched };

// The auxiliary record numbers a list shows, in its order.
std::vector<int> stationListNumbers(StationList list, int auxCount,
                                    const std::vector<ComparePair>& pairs);
QString stationListTitle(StationList list);
// The list as plain text: the heading line, a rule, one line per station.
// Returns what was built so far when step stops it.
QString stationListText(const HCMFile& aux, const std::vector<int>& numbers,
                        const CompareStep& step = {});

// The auxiliary numbers that are in no pair, ascending.
std::vector<int> unmatchedAuxNumbers(int auxCount, const std::vector<ComparePair>& pairs);

#endif

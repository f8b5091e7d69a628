#ifndef REPORTMERGE_H
#define REPORTMERGE_H

#include "listcalculation.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A list-to-list run can be split into parts that run on different machines
// (each writes a partial report marked with its part number and the run's
// identity) and joined again into the report one machine would have written.

// The identity of a split run: the same station lines, limits, threshold,
// library version and number of parts give the same text on every machine.
QString runIdentity(const QList<QByteArray>& testing, const QList<QByteArray>& reference,
                    const ListCalculation::Limits& limits, double threshold, const QString& libraryVersion,
                    int parts);

// Reads "K/N" (part K from 0 of N parts); false when it is not such a text.
bool parsePartText(const QString& text, int* part, int* parts);

// Joins the partial reports of one run into the report file out, rows in the
// order of the whole run. Every part of the run must be given, once. Returns
// an empty text on success (rows then holds the rows written), else why
// nothing was written; out is replaced only when the whole merge succeeded.
QString mergeReportParts(const QString& out, const QStringList& parts, long long* rows);

#endif

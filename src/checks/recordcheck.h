#ifndef RECORDCHECK_H
#define RECORDCHECK_H

#include "hcm/hcmantenna.h"
#include "hcm/hcmrecord.h"

#include <QList>

// Clears codes and appends every finding of the record in check order: the
// station fields, the equipment and the mask (frequency then attenuation of
// each point), the direction and co-ordination fields, the antenna, the
// presence and codes of both patterns, then the points of the co-polar and of
// the cross-polar pattern. 7G2 is not part of it.
void checkRecord(const HCMRecord& r, QList<int>& codes);

// One text of a record by its field, 7G2 included, for an editor that checks
// what is typed.
int checkRecordField(const HCMRecord& r, HcmField field);
int checkAntennaField(const HCMAntenna& a, HCMAntenna::Field field);

#endif

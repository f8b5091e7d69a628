#ifndef HEADERCHECKS_H
#define HEADERCHECKS_H

#include "hcm/hcmheader.h"

#include <QList>

// Checks of the ten header fields, with the header's own check settings
// (calculation entries only does not apply to the header). Each returns 0 or
// the code of the first rule that fails.

int checkFileNumber(const HCMHeader& h);
int checkFileContents(const HCMHeader& h);
int checkFileContentsCode(const HCMHeader& h);
int checkHeaderCountry(const HCMHeader& h);
int checkResponsiblePerson(const HCMHeader& h);
int checkPhone(const HCMHeader& h);
int checkTelefax(const HCMHeader& h);
int checkEmail(const HCMHeader& h);
// The text must also equal the number of records the file really holds.
int checkNumberOfRecords(const HCMHeader& h, int actualCount);
int checkWritingDate(const HCMHeader& h);

// One field by its position, for an editor that checks what is typed.
int checkHeaderField(const HCMHeader& h, HCMHeader::Field field, int actualCount);

// Clears codes and appends every finding of the header in check order: file
// number, responsible person, phone, telefax, e-mail, number of records,
// writing date, country, file contents code, file contents.
void checkHeader(const HCMHeader& h, QList<int>& codes, int actualCount);

#endif

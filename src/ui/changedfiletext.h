#ifndef CHANGEDFILETEXT_H
#define CHANGEDFILETEXT_H

#include <QString>

// The question asked before changes to a file would be lost. A file that has
// no name yet is called the new file rather than leaving a gap in the text.
QString changedFileText(const QString& fileName);

#endif

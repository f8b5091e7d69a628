#include "changedfiletext.h"

#include <QCoreApplication>

QString changedFileText(const QString& fileName)
{
    if (fileName.isEmpty())
        return QCoreApplication::translate("UserPrompts",
                                           "The new file has been changed.\n Do you want to save it?");
    return QCoreApplication::translate("UserPrompts",
                                       "The file %1 has been changed.\n Do you want to save it?")
        .arg(fileName);
}

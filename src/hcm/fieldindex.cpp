#include "fieldindex.h"

#include <QCoreApplication>

namespace {
const char* const kNames[FieldIndexCount] = {
    QT_TRANSLATE_NOOP("HCMRecord", "Type of entry"),
    QT_TRANSLATE_NOOP("HCMRecord", "Frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Frequency unit"),
    QT_TRANSLATE_NOOP("HCMRecord", "Frequency category"),
    QT_TRANSLATE_NOOP("HCMRecord", "Class of station"),
    QT_TRANSLATE_NOOP("HCMRecord", "Nature of service"),
    QT_TRANSLATE_NOOP("HCMRecord", "Category of use"),
    QT_TRANSLATE_NOOP("HCMRecord", "Date of bringing into use"),
    QT_TRANSLATE_NOOP("HCMRecord", "Name of station"),
    QT_TRANSLATE_NOOP("HCMRecord", "Country"),
    QT_TRANSLATE_NOOP("HCMRecord", "Longitude"),
    QT_TRANSLATE_NOOP("HCMRecord", "Latitude"),
    QT_TRANSLATE_NOOP("HCMRecord", "Height of the station site above sea level"),
    QT_TRANSLATE_NOOP("HCMRecord", "Designation of emission"),
    QT_TRANSLATE_NOOP("HCMRecord", "Equipment manufacturer name"),
    QT_TRANSLATE_NOOP("HCMRecord", "Equipment type"),
    QT_TRANSLATE_NOOP("HCMRecord", "Max. capacity of the link"),
    QT_TRANSLATE_NOOP("HCMRecord", "Transmitter spectrum mask or receiver selectivity mask"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 1: frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 1: attenuation"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 2: frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 2: attenuation"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 3: frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 3: attenuation"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 4: frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 4: attenuation"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 5: frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 5: attenuation"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 6: frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Tx/Rx mask. Point 6: attenuation"),
    QT_TRANSLATE_NOOP("HCMRecord", "NFD 1"),
    QT_TRANSLATE_NOOP("HCMRecord", "NFD 2"),
    QT_TRANSLATE_NOOP("HCMRecord", "Channel spacing"),
    QT_TRANSLATE_NOOP("HCMRecord", "Maximum permitted transmitter power"),
    QT_TRANSLATE_NOOP("HCMRecord", "ATPC"),
    QT_TRANSLATE_NOOP("HCMRecord", "Azimuth"),
    QT_TRANSLATE_NOOP("HCMRecord", "Elevation"),
    QT_TRANSLATE_NOOP("HCMRecord", "Polarization"),
    QT_TRANSLATE_NOOP("HCMRecord", "Receiver noise power level"),
    QT_TRANSLATE_NOOP("HCMRecord", "Branches and line losses"),
    QT_TRANSLATE_NOOP("HCMRecord", "Height of antenna above ground"),
    QT_TRANSLATE_NOOP("HCMRecord", "Remarks"),
    QT_TRANSLATE_NOOP("HCMRecord", "Status of co-ordination"),
    QT_TRANSLATE_NOOP("HCMRecord", "Date of co-ordination request"),
    QT_TRANSLATE_NOOP("HCMRecord", "Final date of achieving co-ordination"),
    QT_TRANSLATE_NOOP("HCMRecord", "Co-ordination reference"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna manufacturer name"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna type"),
    QT_TRANSLATE_NOOP("HCMRecord", "Lower antenna frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Upper antenna frequency"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna gain"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna data"),
    QT_TRANSLATE_NOOP("HCMRecord", "Number of CP antenna mask data"),
    QT_TRANSLATE_NOOP("HCMRecord", "Number of XP antenna mask data"),
    QT_TRANSLATE_NOOP("HCMRecord", "Copolar radiation pattern"),
    QT_TRANSLATE_NOOP("HCMRecord", "Cross-polar radiation pattern"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna CP angle"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna CP attenuation"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna XP angle"),
    QT_TRANSLATE_NOOP("HCMRecord", "Antenna XP attenuation"),
};
}

QString fieldIndexName(int index)
{
    if (index < 0 || index >= FieldIndexCount)
        return QCoreApplication::translate("HCMRecord", "Unknown field name");
    return QCoreApplication::translate("HCMRecord", kNames[index]);
}

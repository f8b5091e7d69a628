#ifndef EDITORFIELDS_H
#define EDITORFIELDS_H

#include <vector>

// Where an input's text goes.
enum class InputTarget { Record, Antenna, Header };

// What to check again after an input was typed into.
enum class InputCheck {
    Field,         // the field alone
    WholeRecord,   // the type of entry decides which other fields are required
    WithFrequency, // the frequency is read in the unit's terms
    MaskPoints,    // a mask point's rules depend on the other points
    OnlyWhenTyped  // checked when typed, never when a record is shown (7G2)
};

// One input of the editor window: its HCM code, object name, label and
// hint, the page it sits on, the field it edits and the check it gets. The
// window builds, connects and checks its inputs from this one table.
struct EditorField
{
    const char* code;
    const char* name;
    const char* label;
    const char* hint;
    int page;          // 0 General (1) .. 4 File header
    InputTarget target;
    int field;         // HcmField, HCMAntenna::Field or HCMHeader::Field
    InputCheck check;
    bool multiLine;
    int maskPoint;     // 1..6 for the mask grid, 0 otherwise
};

enum EditorPage { GeneralPage1, GeneralPage2, EquipmentPage, AntennaPage, HeaderPage, PageCount };

const std::vector<EditorField>& editorFields();
const char* editorPageTitle(int page);

#endif

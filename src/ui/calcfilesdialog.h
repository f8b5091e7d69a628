#ifndef CALCFILESDIALOG_H
#define CALCFILESDIALOG_H

#include <QDialog>

// What the main window needs of the dialog that chooses the files of a
// single-entry or list-to-list calculation. The main window creates it once,
// shows it without making it modal and starts the calculation when it is
// accepted (OK).
class CalcFilesDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

    // A single-entry calculation has no reference file and no threshold: the
    // dialog disables those inputs when listToList is false.
    virtual void setListToList(bool listToList) = 0;
    virtual QString testingFile() const = 0;
    virtual QString referenceFile() const = 0;
    // "Show station if TD >", in dB, as typed.
    virtual QString thresholdText() const = 0;
};

#endif

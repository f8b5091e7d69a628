#ifndef CDLGOPENFILES_H
#define CDLGOPENFILES_H

#include "ui/calcfilesdialog.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// Chooses the HCM files and the TD threshold of a single-entry or
// list-to-list calculation.
class CdlgOpenFiles : public CalcFilesDialog
{
    Q_OBJECT

public:
    explicit CdlgOpenFiles(QWidget* parent = nullptr);

    void setListToList(bool listToList) override;
    QString testingFile() const override;
    QString referenceFile() const override;
    QString thresholdText() const override;

public slots:
    void showName1();
    void showName2();
    void accept() override;

private:
    QString chooseFile(const QString& current);

    QGroupBox* m_referenceGroup;
    QGroupBox* groupBoxTd;
    QLineEdit* testFile;
    QLineEdit* referenceFileEdit;
    QLineEdit* m_threshold;
    QToolButton* toolButtonFile1;
    QToolButton* toolButtonFile2;
    QPushButton* okButton;
    QPushButton* cancelButton;
};

#endif

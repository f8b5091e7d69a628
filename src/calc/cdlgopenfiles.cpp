#include "cdlgopenfiles.h"

#include "ui/userprompts.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QGroupBox* fileGroup(const QString& title, QLineEdit* edit, QToolButton* button)
{
    auto* group = new QGroupBox(title);
    auto* row = new QHBoxLayout(group);
    edit->setMinimumWidth(360);
    button->setText(QStringLiteral("..."));
    row->addWidget(edit);
    row->addWidget(button);
    return group;
}

} // namespace

CdlgOpenFiles::CdlgOpenFiles(QWidget* parent)
    : CalcFilesDialog(parent), testFile(new QLineEdit), referenceFileEdit(new QLineEdit),
      m_threshold(new QLineEdit(QStringLiteral("1"))), toolButtonFile1(new QToolButton),
      toolButtonFile2(new QToolButton), okButton(new QPushButton(tr("OK"))),
      cancelButton(new QPushButton(tr("Cancel")))
{
    setObjectName(QStringLiteral("dlgOpenFile"));
    // The title used to read "Chose an HCM file".
    setWindowTitle(tr("Choose an HCM file"));
    setWindowIcon(QIcon(QStringLiteral(":/main/pics/hcmfs1.png")));
    testFile->setObjectName(QStringLiteral("testFile"));
    referenceFileEdit->setObjectName(QStringLiteral("referenceFile"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileGroup(tr("HCM testing file"), testFile, toolButtonFile1));
    m_referenceGroup = fileGroup(tr("HCM reference data file"), referenceFileEdit, toolButtonFile2);
    layout->addWidget(m_referenceGroup);

    groupBoxTd = new QGroupBox(tr("Report:"));
    groupBoxTd->setObjectName(QStringLiteral("groupBoxTd"));
    auto* tdRow = new QHBoxLayout(groupBoxTd);
    tdRow->addWidget(new QLabel(tr("Show station if TD >")));
    m_threshold->setMaximumWidth(80);
    tdRow->addWidget(m_threshold);
    tdRow->addWidget(new QLabel(tr("dB")));
    tdRow->addStretch();
    layout->addWidget(groupBoxTd);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    okButton->setDefault(true);

    connect(toolButtonFile1, &QToolButton::clicked, this, &CdlgOpenFiles::showName1);
    connect(toolButtonFile2, &QToolButton::clicked, this, &CdlgOpenFiles::showName2);
    connect(okButton, &QPushButton::clicked, this, &CdlgOpenFiles::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CdlgOpenFiles::reject);
}

void CdlgOpenFiles::setListToList(bool listToList)
{
    m_referenceGroup->setEnabled(listToList);
    groupBoxTd->setEnabled(listToList);
}

QString CdlgOpenFiles::testingFile() const
{
    return testFile->text();
}

QString CdlgOpenFiles::referenceFile() const
{
    return referenceFileEdit->text();
}

QString CdlgOpenFiles::thresholdText() const
{
    return m_threshold->text();
}

QString CdlgOpenFiles::chooseFile(const QString& current)
{
    return UserPrompts::openFileName(this, tr("Choose an HCM file"), QFileInfo(current).path(), tr("All (*.*)"));
}

void CdlgOpenFiles::showName1()
{
    const QString name = chooseFile(testFile->text());
    if (!name.isEmpty())
        testFile->setText(name);
}

void CdlgOpenFiles::showName2()
{
    const QString name = chooseFile(referenceFileEdit->text().isEmpty() ? testFile->text()
                                                                        : referenceFileEdit->text());
    if (!name.isEmpty())
        referenceFileEdit->setText(name);
}

void CdlgOpenFiles::accept()
{
    // A threshold that is not a number would silently become 0 dB and list
    // every case; say so while the dialog is still open.
    bool ok = true;
    m_threshold->text().trimmed().toFloat(&ok);
    if (groupBoxTd->isEnabled() && !ok) {
        UserPrompts::warning(this, tr("Linkwise"), tr("The TD threshold is not a number!"));
        return;
    }
    CalcFilesDialog::accept();
}

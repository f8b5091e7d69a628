// The main window's side of the Options dialog: the stored settings shown in
// it, and what it changes when applied.
#include "hcmform.h"

#include "app/options.h"
#include "ui/downloadcentre.h"
#include "ui/editorwindow.h"
#include "ui/userprompts.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

QString libraryFilter()
{
#ifdef Q_OS_WIN
    return QStringLiteral("HCM library (HCMFS_DLL.dll);;All (*.*)");
#else
    return QStringLiteral("HCM library (libHCMFS_DLL.so HCMFS_DLL.dll);;All (*.*)");
#endif
}

} // namespace

void hcmForm::loadOptionsDialog()
{
    Options* o = m_options;
    o->pathLibrary->setText(m_settings.hcmLibrary);
    o->pathTopo->setText(m_settings.topo);
    o->pathMorpho->setText(m_settings.morpho);
    o->pathBorder->setText(m_settings.border);
    const CheckOptions& c = m_settings.check;
    o->setOptions(c.checkOnEditing, c.calcErrors, c.formatErrors, c.valueWarnings,
                  c.characterWarnings, c.checkOnLoading);
    o->showTower->setChecked(m_settings.googleShowTower);
    o->cbUpdate->setChecked(m_settings.checkForUpdateOnStartup);
    o->leUpdateServer->setText(m_settings.updateServer);
    o->leTerrainServer->setText(m_settings.terrainServer);
    o->leFrequency_TXRX->setText(number(m_settings.frequencyTxRx));
    o->leDistance_TXRX->setText(number(m_settings.distanceTxRx));
    o->leDistance_PTXRX->setText(number(m_settings.distancePTxRx));
    o->sbCalcThreads->setValue(m_settings.calculationThreads);
}

void hcmForm::centreOver(QWidget* dialog)
{
    // A dialog never shown still has the default size; it takes its real one
    // only when shown, which would put its first showing off centre.
    if (!dialog->testAttribute(Qt::WA_Resized))
        dialog->adjustSize();
    dialog->move(x() + width() / 2 - dialog->width() / 2,
                 y() + height() / 2 - dialog->height() / 2);
}

void hcmForm::showOptions()
{
    loadOptionsDialog();
    m_options->setModal(true);
    m_options->show();
    centreOver(m_options);
}

double hcmForm::readCondition(const QString& text, double fallback, const QString& warning)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok)
        return value;
    UserPrompts::warning(this, tr("Applying options"), warning);
    return fallback;
}

void hcmForm::applyOptions()
{
    Options* o = m_options;
    m_settings.hcmLibrary = o->pathLibrary->text();
    m_settings.topo = o->pathTopo->text();
    m_settings.morpho = o->pathMorpho->text();
    m_settings.border = o->pathBorder->text();
    m_settings.googleShowTower = o->showTower->isChecked();
    m_settings.checkForUpdateOnStartup = o->cbUpdate->isChecked();
    m_settings.updateServer = o->leUpdateServer->text().trimmed();
    m_settings.terrainServer = o->leTerrainServer->text().trimmed();
    m_settings.frequencyTxRx = readCondition(o->leFrequency_TXRX->text(), 300.0,
                                             tr("Entered frequency is not a number!"));
    m_settings.distanceTxRx = readCondition(o->leDistance_TXRX->text(), 1000.0,
                                            tr("Entered distance TX->RX is not a number!"));
    m_settings.distancePTxRx = readCondition(o->leDistance_PTXRX->text(), 2.0,
                                             tr("Entered distance PTX->RX is not a number!"));
    m_settings.calculationThreads = o->sbCalcThreads->value();
    setSyntax();
    if (m_downloadCentre) {
        m_downloadCentre->setDataFolders(m_settings.topo, m_settings.morpho);
        m_downloadCentre->setServers(m_settings.updateServer, m_settings.terrainServer);
    }
    writeCFGfile();
}

void hcmForm::setSyntax()
{
    CheckOptions& c = m_settings.check;
    c.checkOnEditing = m_options->cbEnableChecking->isChecked();
    c.calcErrors = m_options->cbCheckCalcErrors->isChecked();
    c.formatErrors = m_options->cbCheckFormatErrors->isChecked();
    c.valueWarnings = m_options->cbCheckValueWarnings->isChecked();
    c.characterWarnings = m_options->cbCheckCaracterWarnings->isChecked();
    c.checkOnLoading = m_options->cbCheckWhenLoading->isChecked();
    changeActionState();
    for (QMdiSubWindow* window : m_ui.mdiArea->subWindowList()) {
        if (EditorWindow* editor = editorIn(window))
            editor->setOptions(c);
    }
}

void hcmForm::showDlgLibrary()
{
    const QString current = m_settings.hcmLibrary;
    const QString start = current.isEmpty() ? QDir::currentPath()
                                            : QFileInfo(current).absolutePath();
    const QString chosen = UserPrompts::openFileName(this, tr("Choose the HCM library file"),
                                                     start, libraryFilter());
    if (!chosen.isEmpty())
        m_settings.hcmLibrary = chosen;
}

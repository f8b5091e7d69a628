#include "downloadcenter.h"

#include "calc/versioncompare.h"
#include "filedownloader.h"
#include "tiletablepage.h"
#include "ui/userprompts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const int kMaxListedErrors = 15;

QString centreTitle()
{
    return downloadCenter::tr("Download And Update Center");
}

} // namespace

downloadCenter::downloadCenter(QWidget* parent, const DownloadCentreSetup& setup)
    : DownloadCentre(parent), m_setup(setup), m_downloader(new fileDownloader(this))
{
    setObjectName(QStringLiteral("downloadCenter"));
    setWindowTitle(tr("Download & Update Center"));
    m_tabs = new QTabWidget;
    QWidget* program = buildProgramTab();
    program->setObjectName(QStringLiteral("tabProgram"));
    m_tabs->addTab(program, tr("Program"));
    m_topo = new TileTablePage({"tableTerrain", "rbEurope", "rbWorld", "pbTopoCheck"});
    m_topo->setObjectName(QStringLiteral("tabTopo"));
    m_tabs->addTab(m_topo, tr("Topographical data"));
    m_morpho = new TileTablePage({"tableMorpho", "rbMEurope", "rbMWorld", "pbMorphoCheck"});
    m_morpho->setObjectName(QStringLiteral("tabMorpho"));
    m_tabs->addTab(m_morpho, tr("Morphological data"));

    m_pbUpdate = new QPushButton(tr("Download selected"));
    m_pbUpdate->setObjectName(QStringLiteral("pbUpdate"));
    m_pbUpdate->setEnabled(false);
    auto* close = new QPushButton(tr("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pbUpdate);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    resize(760, 560);

    buildContextMenu();
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pbUpdate, &QPushButton::clicked, this, &downloadCenter::sl_startUpdate);
    connect(m_pbCheck, &QPushButton::clicked, this, &downloadCenter::sl_checkForUpdateLoud);
    connect(m_tree, &QTreeWidget::itemChanged, this, &downloadCenter::sl_checkItem);
    connect(m_downloader, &fileDownloader::finished, this, &downloadCenter::sl_finished);
    connect(m_topo->checkButton(), &QPushButton::clicked, this, &downloadCenter::sl_topoCheck);
    connect(m_morpho->checkButton(), &QPushButton::clicked, this, &downloadCenter::sl_morphoCheck);
    connect(m_topo->europeButton(), &QRadioButton::clicked, this, &downloadCenter::sl_selectEurope);
    connect(m_topo->worldButton(), &QRadioButton::clicked, this, &downloadCenter::sl_selectWorld);
    connect(m_morpho->europeButton(), &QRadioButton::clicked, this,
            &downloadCenter::sl_selectMorphoEurope);
    connect(m_morpho->worldButton(), &QRadioButton::clicked, this,
            &downloadCenter::sl_selectMorphoWorld);
    setLibraryVersion(setup.libraryVersion);
}

QWidget* downloadCenter::buildProgramTab()
{
    auto* tab = new QWidget;
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("treeWidget"));
    m_tree->setHeaderLabels({tr("Items"), tr("Status")});
    m_programItem = new QTreeWidgetItem(m_tree, {tr("Linkwise %1").arg(m_setup.programVersion)});
    m_libraryItem = new QTreeWidgetItem(m_tree, {tr("Calculation Library (HCMFS_DLL)")});
    m_installedItem = new QTreeWidgetItem(m_libraryItem);
    m_offeredItem = new QTreeWidgetItem(m_libraryItem, {tr("Versions offered")});
    m_tree->expandAll();
    m_tree->setColumnWidth(0, 360);
    m_pbCheck = new QPushButton(tr("Check availability"));
    m_pbCheck->setObjectName(QStringLiteral("pbCheck"));
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_tree);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_pbCheck);
    layout->addLayout(row);
    return tab;
}

void downloadCenter::buildContextMenu()
{
    m_menu = new QMenu(this);
    m_menu->addAction(tr("Select for download"), this, &downloadCenter::sl_makeSelection);
    m_menu->addAction(tr("Dismiss selection"), this, &downloadCenter::sl_dismisSelection);
    m_menu->addAction(tr("Delete data from disk"), this, &downloadCenter::sl_deleteData);
    for (TileTablePage* page : {m_topo, m_morpho}) {
        connect(page->table(), &QWidget::customContextMenuRequested, this,
                [this, page](const QPoint& point) {
                    m_menuPage = page;
                    sl_showContextMenu(page->table()->viewport()->mapToGlobal(point));
                });
    }
}

void downloadCenter::setDataFolders(const QString& topo, const QString& morpho)
{
    m_setup.topo = topo;
    m_setup.morpho = morpho;
}

void downloadCenter::setServers(const QString& update, const QString& terrain)
{
    m_setup.updateServer = update;
    m_setup.terrainServer = terrain;
}

void downloadCenter::setLibraryVersion(const QString& version)
{
    m_setup.libraryVersion = version;
    m_installedItem->setText(0, version.isEmpty() ? tr("--no dll available!")
                                                  : tr("Installed: %1").arg(version));
}

QString downloadCenter::programStatus() const
{
    return m_programItem->text(1);
}

// ---- Offer list -----------------------------------------------------------

void downloadCenter::checkForNewVersion()
{
    m_announce = true;
    sl_checkForUpdate();
}

void downloadCenter::sl_checkForUpdateLoud()
{
    m_announce = false;
    sl_checkForUpdate();
}

void downloadCenter::sl_checkForUpdate()
{
    qDeleteAll(m_offeredItem->takeChildren());
    m_offers.clear();
    if (m_setup.updateServer.trimmed().isEmpty()) {
        // Nothing to ask; the check at start-up has no one to tell.
        if (!m_announce)
            UserPrompts::warning(this, centreTitle(), tr("No update server is configured."));
        return;
    }
    const QString list = UpdateFiles::listFile(m_setup.updateFolder);
    QDir().mkpath(QFileInfo(list).path());
    const QString path = m_testMode ? QStringLiteral("/files/list-test.ini")
                                    : QStringLiteral("/files/list.ini");
    m_pbCheck->setEnabled(false);
    m_downloader->download(UpdateFiles::serverUrl(m_setup.updateServer, path), list);
}

void downloadCenter::sl_finished()
{
    m_pbCheck->setEnabled(true);
    if (m_downloader->hasError()) {
        m_programItem->setText(1, tr("Could not receive data!"));
        UserPrompts::warning(this, centreTitle(), m_downloader->errorText());
        return;
    }
    showOffer();
}

void downloadCenter::showOffer()
{
    const UpdateFiles::Offer offer = UpdateFiles::readOffer(m_downloader->fileName());
    const QSignalBlocker blocker(m_tree);
    for (const UpdateFiles::LibraryOffer& library : offer.libraries) {
        m_offers.append(library);
        auto* item = new QTreeWidgetItem(m_offeredItem, {library.version});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    m_offeredItem->setExpanded(true);
    const int newer = compareVersions(m_setup.programVersion, offer.version);
    m_programItem->setFlags(m_programItem->flags() & ~Qt::ItemIsUserCheckable);
    m_programItem->setData(0, Qt::CheckStateRole, QVariant());
    if (newer < 0) {
        m_programItem->setText(1, tr("Could not receive data!"));
    } else if (newer == 0) {
        m_programItem->setText(1, tr("Up to date!"));
    } else {
        m_programItem->setText(1, tr("New version available!") + QLatin1Char(' ') + offer.version);
        m_programItem->setFlags(m_programItem->flags() | Qt::ItemIsUserCheckable);
        m_programItem->setCheckState(0, Qt::Checked);
        m_pbUpdate->setEnabled(true);
        if (m_announce)
            emit newVersionAvailable();
    }
}

void downloadCenter::sl_checkItem(QTreeWidgetItem* item, int /*column*/)
{
    if (item == m_programItem || item->parent() != m_offeredItem)
        return;
    if (item->checkState(0) != Qt::Checked)
        return;
    const QSignalBlocker blocker(m_tree);
    for (int i = 0; i < m_offeredItem->childCount(); ++i) {
        QTreeWidgetItem* other = m_offeredItem->child(i);
        if (other != item)
            other->setCheckState(0, Qt::Unchecked);
    }
    m_pbUpdate->setEnabled(true);
}

// ---- Tile tables ----------------------------------------------------------

QString downloadCenter::dataFolder(const TileTablePage* page) const
{
    return isTopo(page) ? m_setup.topo : m_setup.morpho;
}

bool downloadCenter::prepareDataFolder(bool topo)
{
    const QString folder = topo ? m_setup.topo : m_setup.morpho;
    const QString title = tr("Download & Update Center");
    if (folder.isEmpty()) {
        UserPrompts::warning(this, title,
                             topo ? tr("Directory of topological data is not set.\nPlease set the "
                                       "appropriate path first in Tools/Options.")
                                  : tr("Directory of morphological data is not set.\nPlease set "
                                       "the appropriate path first in Tools/Options."));
        return false;
    }
    if (!QDir().mkpath(folder)) {
        UserPrompts::warning(this, title,
                             (topo ? tr("Could not create directory of topological data %1.\n"
                                        "Please create the directory manually.")
                                   : tr("Could not create directory of morphological data %1.\n"
                                        "Please create the directory manually."))
                                 .arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    return true;
}

void downloadCenter::sl_topoCheck()
{
    if (prepareDataFolder(true))
        m_topo->fill(m_setup.topo, m_topo->worldButton()->isChecked());
}

void downloadCenter::sl_morphoCheck()
{
    if (prepareDataFolder(false))
        m_morpho->fill(m_setup.morpho, m_morpho->worldButton()->isChecked());
}

void downloadCenter::sl_selectEurope()
{
    sl_topoCheck();
}

void downloadCenter::sl_selectWorld()
{
    sl_topoCheck();
}

void downloadCenter::sl_selectMorphoEurope()
{
    sl_morphoCheck();
}

void downloadCenter::sl_selectMorphoWorld()
{
    sl_morphoCheck();
}

void downloadCenter::refreshTables()
{
    for (TileTablePage* page : {m_topo, m_morpho}) {
        if (page->model()->isFilled())
            page->fill(dataFolder(page), page->worldButton()->isChecked());
    }
}

TileTablePage* downloadCenter::menuPage() const
{
    if (m_menuPage)
        return m_menuPage;
    return m_tabs->currentWidget() == m_morpho ? m_morpho : m_topo;
}

void downloadCenter::sl_showContextMenu(QPoint point)
{
    m_menu->popup(point);
}

void downloadCenter::sl_makeSelection()
{
    TileTablePage* page = menuPage();
    const QModelIndexList cells = page->selectedCells();
    QModelIndexList fresh;
    QModelIndexList onDisk;
    for (const QModelIndex& cell : cells)
        (page->model()->isOnDisk(cell) ? onDisk : fresh).append(cell);
    if (!onDisk.isEmpty()
        && UserPrompts::question(this, centreTitle(),
                                 tr("You selected data\nsome of which  you already have\nin your "
                                    "computer. Do you want to\ndownload and overwrite your "
                                    "existing\ndata?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                                 QMessageBox::No)
               == QMessageBox::Yes)
        fresh += onDisk;
    page->model()->setForDownload(fresh, true);
    if (!page->model()->tilesForDownload().isEmpty())
        m_pbUpdate->setEnabled(true);
}

void downloadCenter::sl_dismisSelection()
{
    TileTablePage* page = menuPage();
    page->model()->setForDownload(page->selectedCells(), false);
}

void downloadCenter::sl_deleteData()
{
    TileTablePage* page = menuPage();
    const bool topo = isTopo(page);
    const QString folder = dataFolder(page);
    const QString title = topo ? tr("Delete Topographical Data") : tr("Delete Morphological Data");
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        const QString text = folder.isEmpty()
            ? (topo ? tr("Directory of topographical data is not set.\nPlease set the appropriate "
                         "path first in Tools/Options.")
                    : tr("Directory of morphological data is not set.\nPlease set the "
                         "appropriate path first in Tools/Options."))
            : (topo ? tr("Directory of topographical data %1 does not exist.\nPlease set the "
                         "appropriate path first in Tools/Options.")
                    : tr("Directory of morphological data %1 does not exist.\nPlease set the "
                         "appropriate path first in Tools/Options."))
                  .arg(QDir::toNativeSeparators(folder));
        UserPrompts::warning(this, title, text);
        return;
    }
    if (UserPrompts::question(this, title, tr("Do you really want to delete selected data?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    QStringList errors;
    for (const QModelIndex& cell : page->selectedCells()) {
        TileTableModel* model = page->model();
        for (const QString& file : TileTableModel::tileFiles(
                 folder, model->longitudeAt(cell.column()), model->latitudeAt(cell.row()))) {
            QFile f(file);
            if (!f.remove())
                errors.append(QDir::toNativeSeparators(file) + QStringLiteral(": ") + f.errorString());
        }
    }
    page->fill(folder, page->worldButton()->isChecked());
    if (errors.isEmpty())
        return;
    const QString text = errors.size() > kMaxListedErrors
        ? tr("Error occured while deleting files.\nBecause of the big amount of errors only firs 15 "
             "are shown below:\n") + errors.mid(0, kMaxListedErrors).join(QLatin1Char('\n'))
        : tr("Error occured while deleting files.\nError messages are shown below:\n")
              + errors.join(QLatin1Char('\n'));
    UserPrompts::warning(this, title, text);
}

// ---- Handing over to the downloader job -------------------------------------

// False when the tiles cannot be written where they belong.
bool downloadCenter::collectTiles(TileTablePage* page, QList<UpdateFiles::Tile>* tiles)
{
    if (!page->model()->isFilled())
        return true;
    *tiles = page->model()->tilesForDownload();
    const QFileInfo folder(dataFolder(page));
    if (tiles->isEmpty())
        return true;
    if (m_setup.terrainServer.trimmed().isEmpty()) {
        UserPrompts::warning(this, centreTitle(), tr("No terrain server is configured."));
        return false;
    }
    if (folder.isDir() && !folder.isWritable()) {
        UserPrompts::warning(this, tr("Download & Update center"),
                             tr("Unfortunately you do not have write permissions\nfor the "
                                "directory %1.\nPerhaps you need to login as administrator first.")
                                 .arg(QDir::toNativeSeparators(folder.filePath())));
        return false;
    }
    return true;
}

void downloadCenter::sl_startUpdate()
{
    accept();
    if (m_setup.updateFolder.isEmpty()) {
        UserPrompts::warning(this, tr("Update Error"),
                             tr("Could not update.\nDestination folder is unknown!"));
        return;
    }
    UpdateFiles::Order order;
    order.updateProgram = m_programItem->checkState(0) == Qt::Checked
                       && (m_programItem->flags() & Qt::ItemIsUserCheckable);
    for (int i = 0; i < m_offeredItem->childCount() && i < m_offers.size(); ++i) {
        if (m_offeredItem->child(i)->checkState(0) == Qt::Checked) {
            order.libraryPath = m_offers.at(i).path;
            order.libraryVersion = m_offers.at(i).version;
            break;
        }
    }
    if (!collectTiles(m_morpho, &order.morpho) || !collectTiles(m_topo, &order.topo))
        return;
    const QString error = UpdateFiles::writeOrder(UpdateFiles::orderFile(m_setup.updateFolder), order);
    if (!error.isEmpty()) {
        UserPrompts::warning(this, tr("Update Error"), error);
        return;
    }
    emit startDownloading();
}

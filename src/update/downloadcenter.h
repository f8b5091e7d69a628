#ifndef DOWNLOADCENTER_H
#define DOWNLOADCENTER_H

#include "ui/downloadcentre.h"
#include "updatefiles.h"

#include <QPoint>

class QMenu;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TileTablePage;
class fileDownloader;

// The download and update centre: shows whether the update server offers a
// newer program or other library versions and which terrain tiles are on
// disk, and writes what the user selects into the order file for the
// downloader job. It downloads only the offer list itself.
class downloadCenter : public DownloadCentre
{
    Q_OBJECT
public:
    downloadCenter(QWidget* parent, const DownloadCentreSetup& setup);

    void setTestMode(bool testMode) override { m_testMode = testMode; }
    void setDataFolders(const QString& topo, const QString& morpho) override;
    void setServers(const QString& update, const QString& terrain) override;
    void setLibraryVersion(const QString& version) override;
    void refreshTables() override;

    QTreeWidget* tree() const { return m_tree; }
    TileTablePage* topoPage() const { return m_topo; }
    TileTablePage* morphoPage() const { return m_morpho; }
    QPushButton* checkButton() const { return m_pbCheck; }
    QPushButton* updateButton() const { return m_pbUpdate; }
    // What the program item's status column says after a check.
    QString programStatus() const;

public slots:
    void checkForNewVersion() override;
    void sl_checkForUpdate();
    void sl_checkForUpdateLoud();
    void sl_selectEurope();
    void sl_selectWorld();
    void sl_selectMorphoEurope();
    void sl_selectMorphoWorld();
    void sl_startUpdate();
    void sl_showContextMenu(QPoint point);
    void sl_makeSelection();
    void sl_dismisSelection();
    void sl_finished();
    void sl_deleteData();
    void sl_checkItem(QTreeWidgetItem* item, int column);
    void sl_topoCheck();
    void sl_morphoCheck();

private:
    QWidget* buildProgramTab();
    void buildContextMenu();
    bool prepareDataFolder(bool topo);
    TileTablePage* menuPage() const;
    bool isTopo(const TileTablePage* page) const { return page == m_topo; }
    QString dataFolder(const TileTablePage* page) const;
    bool collectTiles(TileTablePage* page, QList<UpdateFiles::Tile>* tiles);
    void showOffer();

    DownloadCentreSetup m_setup;
    QList<UpdateFiles::LibraryOffer> m_offers;
    QTabWidget* m_tabs;
    QTreeWidget* m_tree;
    QTreeWidgetItem* m_programItem;
    QTreeWidgetItem* m_libraryItem;
    QTreeWidgetItem* m_installedItem;
    QTreeWidgetItem* m_offeredItem;
    TileTablePage* m_topo;
    TileTablePage* m_morpho;
    TileTablePage* m_menuPage = nullptr;
    QPushButton* m_pbCheck;
    QPushButton* m_pbUpdate;
    QMenu* m_menu;
    fileDownloader* m_downloader;
    bool m_testMode = false;
    bool m_announce = false;
};

#endif

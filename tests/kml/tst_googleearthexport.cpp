// "Show Selected on Google Earth" from an editor window: what is written into
// the data folder, and what the desktop is asked to open.
#include "../editor/editortestfiles.h"
#include "editor/hcmeditmdi.h"
#include "editor/recordtablemodel.h"
#include "ui/scriptedprompts.h"

#include <QDesktopServices>
#include <QTableView>
#include <QtTest>

using namespace EditorTestFiles;

class TestGoogleEarthExport : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl& url) { m_opened << url; }

private slots:
    void init() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    void cleanup() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); m_opened.clear(); }
    void exportsSelectionAndOpensIt_data()
    {
        QTest::addColumn<QList<int>>("blocks"); // pairs of top and bottom rows, in selection order
        QTest::addColumn<bool>("blockedFolder");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two blocks") << QList<int>{0, 1, 3, 4} << false
                                    << QStringList{"STATION 03", "STATION 04", "STATION 00", "STATION 01"};
        QTest::newRow("nothing selected") << QList<int>{} << false << QStringList();
        QTest::newRow("unwritable folder") << QList<int>{2, 2} << true << QStringList();
    }

    void exportsSelectionAndOpensIt()
    {
        QFETCH(QList<int>, blocks);
        QFETCH(bool, blockedFolder);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        QVERIFY(writeText(dir.filePath("five.hcm"), fileText(numberedNames(5))));
        const QString dataFolder = dir.filePath(blockedFolder ? "blocked" : "data");
        QVERIFY(blockedFolder ? QFile(dataFolder).open(QIODevice::WriteOnly) : QDir().mkpath(dataFolder));
        ScriptedPrompts prompts;
        hcmEditMDI editor{CheckOptions{}};
        QVERIFY(editor.load(dir.filePath("five.hcm")));
        QVERIFY(QTest::qWaitFor([&editor] { return !editor.document().isBusy(); }, 20000));
        editor.ui().twList->clearSelection(); // the first station is selected on loading
        for (int i = 0; i + 1 < blocks.size(); i += 2)
            editor.ui().twList->selectionModel()->select(
                QItemSelection(editor.document().model()->index(blocks[i], 0),
                               editor.document().model()->index(blocks[i + 1], 0)),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);

        editor.exportToGoogleEarth(false, dataFolder);
        const QString kml = dataFolder + "/linkwise.kml";
        QCOMPARE(m_opened, names.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl::fromLocalFile(kml)});
        QCOMPARE(prompts.messages().size(), blockedFolder ? 1 : 0);
        QVERIFY(!blockedFolder || prompts.messages().at(0).message.text == "Could not write the KML file:\n" + kml);
        QStringList written;
        const QByteArray text = readText(kml);
        for (qsizetype at = 0; (at = text.indexOf("<name>STATION", at)) >= 0; at += 6)
            written << text.mid(at + 6, 10);
        QCOMPARE(written, names);
    }

private:
    QList<QUrl> m_opened;
};

QTEST_MAIN(TestGoogleEarthExport)
#include "tst_googleearthexport.moc"

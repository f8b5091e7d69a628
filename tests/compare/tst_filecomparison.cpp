// Pairing the records of two files by co-ordination reference, the fields in
// which a pair differs, and the station lists.
#include "../editor/editortestfiles.h"

#include "compare/filecomparison.h"
#include "hcm/hcmfile.h"

#include <QtTest>

using namespace EditorTestFiles;

namespace {

CheckSettings g_settings = 0;

std::unique_ptr<HCMFile> fileWithReferences(const QList<QByteArray>& refs)
{
    auto file = std::make_unique<HCMFile>(nullptr, &g_settings);
    for (const QByteArray& ref : refs) {
        auto r = std::make_unique<HCMRecord>(&g_settings);
        r->setText(HcmField::CoordinationReference, ref);
        file->append(std::move(r));
    }
    return file;
}

QString pairsText(const std::vector<ComparePair>& pairs)
{
    QStringList out;
    for (const ComparePair& p : pairs)
        out << QStringLiteral("%1:%2").arg(p.aux).arg(p.main);
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestFileComparison : public QObject
{
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QList<QByteArray>>("main");
        QTest::addColumn<QList<QByteArray>>("aux");
        QTest::addColumn<int>("removedMain");
        QTest::addColumn<QString>("pairs");
        QTest::newRow("two auxiliary records, one partner")
            << QList<QByteArray>{"R1", "R2"} << QList<QByteArray>{"R2", "R2", "R9"} << -1 << "0:1 1:1";
        QTest::newRow("empty references pair")
            << QList<QByteArray>{"R1", "", ""} << QList<QByteArray>{""} << -1 << "0:1";
        QTest::newRow("first main record in file order")
            << QList<QByteArray>{"R1", "R1"} << QList<QByteArray>{"R1"} << -1 << "0:0";
        QTest::newRow("no trimming, case counts")
            << QList<QByteArray>{"R1 ", "r1"} << QList<QByteArray>{"R1"} << -1 << "";
        // The first partner lost its row: the pair goes, no later record stands in.
        QTest::newRow("partner without a row")
            << QList<QByteArray>{"R1", "R1"} << QList<QByteArray>{"R1", "R2"} << 0 << "";
    }

    void matching()
    {
        QFETCH(QList<QByteArray>, main);
        QFETCH(QList<QByteArray>, aux);
        QFETCH(int, removedMain);
        const auto m = fileWithReferences(main);
        std::vector<ComparePair> found = matchRecords(*m, *fileWithReferences(aux));
        std::vector<bool> inTable(std::size_t(main.size()), true);
        if (removedMain >= 0)
            inTable[std::size_t(removedMain)] = false;
        keepPairsInTable(found, inTable);
        QTEST(pairsText(found), "pairs");
    }

    void differences_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("found");
        QTest::newRow("blanks at the ends only") << QByteArray(";STATION A;") << QByteArray("; STATION A  ;") << "";
        QTest::newRow("azimuth after the mask points") << QByteArray(";123.5;") << QByteArray(";124;") << "35=123.5|124";
        QTest::newRow("co-polar point count") << QByteArray("CP;3;0;0;10;20;180;45")
                                              << QByteArray("CP;4;0;0;10;20;90;30;180;45") << "52=3|4";
        QTest::newRow("cross-polar angle") << QByteArray("XP;2;0;30;180") << QByteArray("XP;2;0;30;170")
                                           << "58=180|170";
    }

    void differences()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        const QByteArray line = recordLine("STATION A", 1);
        QVERIFY(line.contains(from));
        HCMRecord main(&g_settings);
        HCMRecord aux(&g_settings);
        main.parseLine(line);
        aux.parseLine(QByteArray(line).replace(from, to));
        QStringList text;
        for (const FieldDifference& d : compareRecords(main, aux))
            text << QStringLiteral("%1=%2|%3").arg(d.field).arg(QString::fromLatin1(d.mainValue),
                                                                QString::fromLatin1(d.auxValue));
        QTEST(text.join(QLatin1Char(' ')), "found");
    }

    void listPaddingNeverCuts()
    {
        HCMFile aux(nullptr, &g_settings);
        const QByteArray longName(45, 'N');
        for (const QByteArray& name : {QByteArray("ABCDE"), longName}) {
            auto r = std::make_unique<HCMRecord>(&g_settings);
            r->parseLine(recordLine(name, 3));
            aux.append(std::move(r));
        }
        const QString values = QStringLiteral("|13000      |ABCDEFGHIJ0000000003|TX |");
        QCOMPARE(stationListText(aux, {0, 1}).split(QLatin1Char('\n')).mid(0, 4),
                 (QStringList{"|Name of station" + QString(25, ' ') +
                                  "|Frequency  |Co-ord. reference   |T/R|",
                              QString(79, '-'), "|ABCDE" + QString(35, ' ') + values,
                              '|' + QString::fromLatin1(longName) + values}));
    }
};

QTEST_GUILESS_MAIN(TestFileComparison)
#include "tst_filecomparison.moc"

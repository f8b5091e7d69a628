// A file read a piece at a time gives exactly what the whole text gives, for
// terminators, NUL bytes and lines cut at any piece boundary.
#include "../editor/editortestfiles.h"

#include "hcm/hcmfile.h"
#include "hcm/loadjob.h"

#include <QtTest>

namespace {

// Header, records, line codes and status of one read, as one text.
QByteArray readBack(const QString& path, qint64 pieceSize)
{
    CheckSettings settings = 0;
    HCMFile file(nullptr, &settings);
    LoadJob job;
    job.target = &file;
    job.checkSettings = &settings;
    if (pieceSize > 0) {
        job.fileName = path;
        job.pieceSize = pieceSize;
        job.run();
    } else {
        QByteArray text;
        if (!LoadJob::readFile(path, text))
            return "unreadable";
        job.runOnText(text);
    }
    QByteArray out = QByteArray::number(job.status()) + (job.headerPresent() ? " H " : " - ") + file.header().toLine();
    for (int n = 0; n < file.recordCount(); ++n)
        out += '\n' + file.recordAt(n)->toLine();
    for (const LineCode& c : job.lineCodes())
        out += ' ' + QByteArray::number(c.recordNumber) + ':' + QByteArray::number(c.code);
    return out;
}

} // namespace

class TestLoadPieces : public QObject
{
    Q_OBJECT
private slots:
    void sameAsWholeText_data()
    {
        const QByteArray rec = "TX;1;M;;;;;;N;AUT;015E101546N2936;;;;;;0;0;;;;;;;;;;;;;;;;;;;;;;;;;;;;;R;A;B;1;2;3;CP;2;0;1;10;2;XP;1;0;5";
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("header, CR LF") << "1;2;3;4;5;6;7;8;9;10\r\n" + rec + "\r\n" + rec + "\r\n";
        QTest::newRow("lone CR inside CR LF lines") << rec + "\r" + rec + "\r\n" + rec;
        QTest::newRow("CR only, blank lines") << rec + "\r\r" + rec + "\r";
        QTest::newRow("LF, short lines") << "TX;a\n\nRX\n" + rec + "\n;;\n";
        QTest::newRow("NUL ends the text") << rec + "\n" + rec + QByteArray("\0RX;b\n", 6);
        QTest::newRow("CR before NUL") << rec + "\r" + QByteArray("\0\n", 2);
        QTest::newRow("header without terminator") << QByteArray("1;2;3;4;5;6;7;8;9;10");
        QTest::newRow("bad header, final LF") << "1;2\r\n" + rec + "\r\n\n";
    }
    void sameAsWholeText()
    {
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        const QString path = EditorTestFiles::writeIn(dir, QStringLiteral("f.hcm"), text);
        const QByteArray whole = readBack(path, 0);
        for (qint64 piece : {1, 2, 3, 7, 4096})
            QCOMPARE(readBack(path, piece), whole);
    }
};

QTEST_GUILESS_MAIN(TestLoadPieces)
#include "tst_loadpieces.moc"

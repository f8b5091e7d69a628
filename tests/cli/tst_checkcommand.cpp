// linkwise-cli check, run as a separate process the way scripts use it.
#include "../editor/editortestfiles.h"
#include "clirun.h"

#include <QtTest>

namespace {

QString testData(const char* name) { return QStringLiteral(LINKWISE_TESTDATA "/checks/") + QLatin1String(name); }

const QByteArray kSeededList =
    "HEADER: \nErrors:\nValue of Number of records does not match the actual record count.\n"
    "Warnings:\nE-mail contains illegal characters.\n\n"
    "RECORD NO: 0\nErrors:\nWarnings:\n"
    "Frequency is outside the frequency bands listed in $1.2.3 of HCM Agreement.\n\n"
    "RECORD NO: 1\nErrors:\nLongitude is incorrect. Minutes >= 60!\n"
    "Height of the station site above sea level is missing.\n"
    "Co-ordination reference has incorrect number of characters.\n"
    "Warnings:\nType of entry contains illegal characters.\nStation name contains illegal characters.\n\n"
    "RECORD NO: 3\nErrors:\nTX/RX mask frequency No2 is missing.\nTX/RX mask attenuation No2 is missing.\n"
    "Warnings:\nReceiver noise power level may be incorrect.\n\n"
    "Found errors: 6\nFound warnings: 5\n";

} // namespace

class TestCheckCommand : public QObject
{
    Q_OBJECT

private slots:
    void lists_data()
    {
        QTest::addColumn<QString>("file"); // in the test data; "warned": clean.hcm with a warning
        QTest::addColumn<bool>("piped"); // the file given through standard input
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        const QStringList deComma{QStringLiteral("LC_ALL=de_DE.UTF-8"), QStringLiteral("LANG=de_DE.UTF-8")};
        QTest::newRow("clean") << "clean.hcm" << false << QStringList() << 0
                               << QByteArray("No syntax errors found in the file\nclean.hcm\n");
        QTest::newRow("warnings only exit 0") << "warned" << false << QStringList() << 0
                                              << QByteArray("HEADER: \nErrors:\nWarnings:\nE-mail contains illegal characters.\n\n"
                                                            "Found errors: 0\nFound warnings: 1\n");
        // A user's locale with a decimal comma changes neither the checks nor the list.
        QTest::newRow("decimal comma locale") << "seeded.hcm" << false << deComma << 1 << kSeededList;
        // A pipe has no size and gives its text once: it is read to its end.
        QTest::newRow("pipe") << "seeded.hcm" << true << QStringList() << 1 << kSeededList;
    }

    void lists()
    {
        QFETCH(QString, file);
        QFETCH(bool, piped);
        QFETCH(QStringList, environment);
        QTemporaryDir dir;
        QString path = testData(file == QLatin1String("warned") ? "clean.hcm" : qPrintable(file));
        QByteArray text = EditorTestFiles::readText(path);
        if (file == QLatin1String("warned"))
            path = EditorTestFiles::writeIn(dir, "warned.hcm", text.replace("INFO@EXAMPLE.AT", "info@example.at"));
        Cli c;
        c.environment = environment;
        c.input = piped ? text : QByteArray();
        const Run r = c({QStringLiteral("check"), piped ? QStringLiteral("/dev/stdin") : path});
        QTEST(r.exitCode, "exitCode");
        QTEST(r.out.toUtf8(), "out");
        QCOMPARE(r.err, QString()); // no progress bar when standard error is no terminal
    }

    void switches_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("codes");

        QTest::newRow("all classes") << QStringList{}
                                     << QByteArray("HEADER: 1067 165\n0: 1004\n1: 1001 1008 42 48 136\n3: 61 84 1015\n");
        QTest::newRow("no characters") << QStringList{QStringLiteral("--no-characters")}
                                       << QByteArray("HEADER: 165\n0: 1004\n1: 42 48 136\n3: 61 84 1015\n");
        QTest::newRow("no values") << QStringList{QStringLiteral("--no-values")}
                                   << QByteArray("HEADER: 1067 165\n1: 1001 1008 42 48 136\n3: 61 84\n");
        QTest::newRow("calculation entries only") << QStringList{QStringLiteral("--calc-only")}
                                                  << QByteArray("HEADER: 1067 165\n0: 1004\n1: 1001 42 48\n3: 61 84 1015\n");
    }

    void switches()
    {
        QFETCH(QStringList, args);
        const Run r = cli(QStringList{"check", "--codes"} + args + QStringList{testData("seeded.hcm")});
        QTEST(r.out.toUtf8(), "codes");
        QCOMPARE(r.exitCode, 1);
    }

    void readerCodesComeFirst()
    {
        // A header with eleven fields and a receiver line that ends after field
        // 20: both are read with whatever they hold and checked like any other
        // (the header keeps no writing date, the record misses its later fields).
        QList<QByteArray> lines = EditorTestFiles::readText(testData("clean.hcm")).split('\n');
        QVERIFY(lines.size() > 2);
        lines[0] += ";EXTRA";
        lines[2] = lines[2].split(';').mid(0, 20).join(';') + ';';
        QTemporaryDir dir;
        const QString path = EditorTestFiles::writeIn(dir, "short.hcm", lines.join('\n'));

        const QByteArray codes = cli({"check", "--codes", path}).out.toUtf8();
        QVERIFY2(codes.startsWith("READ HEADER: 146\nREAD 1: 141\nHEADER: 162\n1: "), codes);
        QCOMPARE(codes.count('\n'), 4);

        const Run list = cli({"check", path});
        QCOMPARE(list.exitCode, 1);
        QVERIFY2(list.out.startsWith(QStringLiteral("Reading the header: Semicolon found at the and of header. Too many fields in the "
                                     "header?\nReading record NO: 1: RX record is too short.\nHEADER: \nErrors:\nWriting date is empty.\n")),
                 qPrintable(list.out));
        // The two reader codes count as errors beside those of the header and record 1.
        int errors = 3;
        const QByteArray recordLine = codes.split('\n').at(3);
        for (const QByteArray& code : recordLine.mid(3).split(' '))
            errors += code.toInt() < 1000 ? 1 : 0;
        QVERIFY2(list.out.endsWith(QStringLiteral("Found errors: %1\nFound warnings: 0\n").arg(errors)), qPrintable(list.out));
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("args"); // @DIR: a folder holding empty.hcm
        QTest::addColumn<bool>("namesFile");   // an unreadable file: one line naming it
        QTest::newRow("missing file") << QStringList{QStringLiteral("@DIR/missing.hcm")} << true;
        QTest::newRow("empty file") << QStringList{QStringLiteral("@DIR/empty.hcm")} << true;
        QTest::newRow("unknown switch") << QStringList{QStringLiteral("--strict"), testData("clean.hcm")} << false;
        QTest::newRow("two files") << QStringList{testData("clean.hcm"), testData("seeded.hcm")} << false;
    }

    void refused()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, namesFile);
        QTemporaryDir dir;
        EditorTestFiles::writeIn(dir, "empty.hcm", QByteArray());
        args.replaceInStrings(QStringLiteral("@DIR"), dir.path());
        const Run r = cli(QStringList{"check"} + args);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QString());
        QVERIFY(!r.err.isEmpty());
        if (namesFile) {
            QCOMPARE(r.err.count('\n'), 1);
            QVERIFY2(r.err.contains(args.first()), qPrintable(r.err));
        }
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"

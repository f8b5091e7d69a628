// The small text rules every field check builds on: number format, the two
// number readers, dates and the character set.
#include "checks/checkmessages.h"
#include "checks/checkrules.h"

#include <QtTest>

#include <clocale>

namespace {

// Switches LC_NUMERIC to a locale with a decimal comma; when none is
// installed, compiles one into dir (glibc reads LOCPATH) if localedef exists.
bool switchToCommaLocale(const QTemporaryDir& dir)
{
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        return true;
    if (!dir.isValid() || QStandardPaths::findExecutable(QStringLiteral("localedef")).isEmpty())
        return false;
    const QString target = dir.filePath(QStringLiteral("de_DE.UTF-8"));
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"), target});
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

} // namespace

class TestCheckRules : public QObject
{
    Q_OBJECT

private slots:
    void numberFormat_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("integers");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("sign");
        QTest::addColumn<bool>("ok");

        QTest::newRow("signed value, sign allowed") << QByteArray("-12.5") << 2 << 1 << true << true;
        QTest::newRow("signed value, sign refused") << QByteArray("-12.5") << 2 << 1 << false << false;
        QTest::newRow("too many decimals") << QByteArray("123.45") << 3 << 1 << false << false;
        QTest::newRow("too many integer digits") << QByteArray("1234") << 3 << 0 << false << false;
        QTest::newRow("sign not counted as digit") << QByteArray("+12") << 2 << 0 << true << true;
        QTest::newRow("empty passes") << QByteArray() << 0 << 0 << false << true;
        QTest::newRow("only characters are counted") << QByteArray("ab.c") << 2 << 1 << false << true;
        QTest::newRow("first full stop decides") << QByteArray("1.2.3") << 1 << 3 << false << true;
        QTest::newRow("trailing full stop") << QByteArray("12.") << 2 << 0 << false << true;
        QTest::newRow("five digits") << QByteArray("99999.12345") << 5 << 5 << false << true;
    }

    void numberFormat()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, integers);
        QFETCH(int, decimals);
        QFETCH(bool, sign);
        QTEST(numberFormatOk(text, integers, decimals, sign), "ok");
    }

    void wholeNumber_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");

        QTest::newRow("blanks around") << QByteArray(" 42 ") << true << 42;
        QTest::newRow("trailing letter") << QByteArray("42a") << false << 0;
        QTest::newRow("minus") << QByteArray("-100") << true << -100;
        QTest::newRow("plus") << QByteArray("+7") << true << 7;
        QTest::newRow("empty") << QByteArray() << false << 0;
        QTest::newRow("sign only") << QByteArray("-") << false << 0;
        QTest::newRow("largest 32-bit value") << QByteArray("4294967295") << true << -1;
        QTest::newRow("beyond 32 bits") << QByteArray("4294967296") << false << 0;
        QTest::newRow("above signed range wraps") << QByteArray("2147483648") << true << int(0x80000000u);
        QTest::newRow("leading tab skipped as by strtoul") << QByteArray("\t5") << true << 5;
        QTest::newRow("trailing tab") << QByteArray("5\t") << false << 0;
        QTest::newRow("leading zeros") << QByteArray("000012") << true << 12;
    }

    void wholeNumber()
    {
        QFETCH(QByteArray, text);
        int read = 12345;
        QTEST(readWholeNumber(text, read), "ok");
        QTEST(read, "value");
    }

    void number_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");

        QTest::newRow("exponent") << QByteArray("1e3") << true << 1000.0;
        QTest::newRow("decimal comma") << QByteArray("12,5") << false << 0.0;
        QTest::newRow("blanks around") << QByteArray("  -7.25 ") << true << -7.25;
        QTest::newRow("plus sign") << QByteArray("+0.5") << true << 0.5;
        QTest::newRow("leading point") << QByteArray(".5") << true << 0.5;
        QTest::newRow("trailing point") << QByteArray("5.") << true << 5.0;
        QTest::newRow("point only") << QByteArray(".") << false << 0.0;
        QTest::newRow("empty") << QByteArray() << false << 0.0;
        QTest::newRow("trailing letter") << QByteArray("12a") << false << 0.0;
        QTest::newRow("overflow") << QByteArray("1e999") << false << 0.0;
        QTest::newRow("infinity spelt out") << QByteArray("inf") << false << 0.0;
        QTest::newRow("hexadecimal") << QByteArray("0x1A") << false << 0.0;
        QTest::newRow("many digits") << QByteArray("12345678901234567890.5") << true << 12345678901234567890.5;
        QTest::newRow("rounding like strtod") << QByteArray("0.1") << true << 0.1;
        QTest::newRow("fifteen digits") << QByteArray("123456789.012345") << true << 123456789.012345;
    }

    void number()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        double read = 99;
        QCOMPARE(readNumber(text, read), ok);
        if (ok)
            QCOMPARE(read, std::strtod(text.trimmed().constData(), nullptr));
        QTEST(read, "value");
    }

    void numbersIgnoreProcessLocale()
    {
        // A user's locale with a decimal comma must not change how HCM numbers
        // read, neither on the fast path nor through strtod (the exponent).
        const QByteArray previous = std::setlocale(LC_NUMERIC, nullptr);
        QTemporaryDir dir;
        if (!switchToCommaLocale(dir))
            QSKIP("no locale with a decimal comma is available");
        const bool commaLocale = QByteArray(std::localeconv()->decimal_point) == ",";
        double values[3] = {};
        const QList<bool> read{readNumber("2.5", values[0]), readNumber("1.5e1", values[1]),
                               readNumber("1,5e1", values[2])};
        std::setlocale(LC_NUMERIC, previous.constData());
        QVERIFY(commaLocale);
        QCOMPARE(read, QList<bool>({true, true, false}));
        QCOMPARE(values[0], 2.5);
        QCOMPARE(values[1], 15.0);
    }

    void date_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("result");

        QTest::newRow("seven digits") << QByteArray("0101201") << int(DateWrongLength);
        QTest::newRow("nine digits") << QByteArray("010120100") << int(DateWrongLength);
        QTest::newRow("letter inside") << QByteArray("01A12010") << int(DateNotNumber);
        QTest::newRow("day 00") << QByteArray("00012010") << int(DateOutOfRange);
        QTest::newRow("day 32") << QByteArray("32012010") << int(DateOutOfRange);
        QTest::newRow("month 13") << QByteArray("01132010") << int(DateOutOfRange);
        QTest::newRow("year 2101") << QByteArray("01012101") << int(DateOutOfRange);
        QTest::newRow("31 February passes") << QByteArray("31022010") << int(DateOk);
        QTest::newRow("year 2100 passes") << QByteArray("31122100") << int(DateOk);
        QTest::newRow("signed day") << QByteArray("-1012010") << int(DateOutOfRange);
        QTest::newRow("exponent reads but parts do not") << QByteArray("1e012010") << int(DateNotNumber);
    }

    void date()
    {
        QFETCH(QByteArray, text);
        QTEST(checkDate(text), "result");
    }

    void allowedText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("allowed");

        QTest::newRow("capitals, digits, minus, slash") << QByteArray("ABC-123/X") << true;
        QTest::newRow("every sign of the set") << QByteArray("+-/*.()= @") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("lower case") << QByteArray("ABc") << false;
        QTest::newRow("tab") << QByteArray("A\tB") << false;
        QTest::newRow("above 127") << QByteArray("\xC4") << false;
    }

    void allowedText()
    {
        QFETCH(QByteArray, text);
        QTEST(isAllowedText(text), "allowed");
    }

    void trimOnlyBlanks()
    {
        QCOMPARE(trimBlanks("  A B  "), QByteArrayView("A B"));
        QCOMPARE(trimBlanks("\tA "), QByteArrayView("\tA"));
        QCOMPARE(trimBlanks("   "), QByteArrayView(""));
    }

    void severityAndUnknownCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("warning");

        QTest::newRow("4 has no message") << 4 << false << false;
        QTest::newRow("143 reserved but listed") << 143 << true << false;
        QTest::newRow("165 last error") << 165 << true << false;
        QTest::newRow("166") << 166 << false << false;
        QTest::newRow("999 counts as error") << 999 << false << false;
        QTest::newRow("1000 first warning") << 1000 << true << true;
        QTest::newRow("1069 last warning") << 1069 << true << true;
        QTest::newRow("1070") << 1070 << false << true;
        QTest::newRow("negative") << -5 << false << false;
    }

    void severityAndUnknownCodes()
    {
        QFETCH(int, code);
        QTEST(checkMessage(code) != "Unknown error", "known");
        QTEST(isWarningCode(code), "warning");
    }
};

QTEST_APPLESS_MAIN(TestCheckRules)
#include "tst_checkrules.moc"

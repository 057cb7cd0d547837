#include "bank/lenientnumber.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace kivola;

class TestLenientNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reads_data();
    void reads();
    void overflowsToInfinity();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void converts_data();
    void converts();
};

void TestLenientNumber::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain") << QStringLiteral("7") << 7.0;
    QTest::newRow("leading blank") << QStringLiteral(" 7") << 7.0;
    QTest::newRow("blanks tabs line feeds inside") << QStringLiteral(" 1\t2\n3 ") << 123.0;
    QTest::newRow("trailing garbage") << QStringLiteral("7abc") << 7.0;
    QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("only blanks") << QStringLiteral("   ") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("+") << 0.0;
    QTest::newRow("negative") << QStringLiteral("-5") << -5.0;
    QTest::newRow("explicit plus") << QStringLiteral("+12") << 12.0;
    QTest::newRow("sign then blank") << QStringLiteral("- 4") << -4.0;
    QTest::newRow("decimal") << QStringLiteral("2.5") << 2.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("3.") << 3.0;
    QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("exponent") << QStringLiteral("1.5e2") << 150.0;
    QTest::newRow("exponent D") << QStringLiteral("2D3") << 2000.0;
    QTest::newRow("negative exponent") << QStringLiteral("25E-1") << 2.5;
    QTest::newRow("exponent without digits") << QStringLiteral("4e") << 4.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("4e+x") << 4.0;
    QTest::newRow("hex") << QStringLiteral("&H1F") << 31.0;
    QTest::newRow("hex lower case") << QStringLiteral("&hff") << 255.0;
    QTest::newRow("hex stops at non-digit") << QStringLiteral("&H1G") << 1.0;
    QTest::newRow("hex full width") << QStringLiteral("&HFFFFFFFF") << 4294967295.0;
    QTest::newRow("octal") << QStringLiteral("&O17") << 15.0;
    QTest::newRow("octal stops at 8") << QStringLiteral("&O78") << 7.0;
    QTest::newRow("ampersand alone") << QStringLiteral("&") << 0.0;
    QTest::newRow("unknown radix") << QStringLiteral("&X12") << 0.0;
    QTest::newRow("comma stops") << QStringLiteral("1,000") << 1.0;
    QTest::newRow("full-width digits are no number") << QStringLiteral("３") << 0.0;
    QTest::newRow("nan is no number") << QStringLiteral("nan") << 0.0;
    QTest::newRow("tiny exponent") << QStringLiteral("1e-400") << 0.0;
    QTest::newRow("many digits") << QString(300, u'1').left(20) << 11111111111111111111.0;
}

void TestLenientNumber::reads()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(readLenientNumber(text), expected);
}

void TestLenientNumber::overflowsToInfinity()
{
    QVERIFY(std::isinf(readLenientNumber(u"1e400")));
    QVERIFY(readLenientNumber(u"-1e400") < 0);
    QVERIFY(std::isinf(readLenientNumber(QString(400, u'9'))));
}

void TestLenientNumber::roundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 down to even") << 2.5 << 2.0;
    QTest::newRow("3.5 up to even") << 3.5 << 4.0;
    QTest::newRow("0.5 to zero") << 0.5 << 0.0;
    QTest::newRow("-2.5 to -2") << -2.5 << -2.0;
    QTest::newRow("-3.5 to -4") << -3.5 << -4.0;
    QTest::newRow("just below half") << 2.4999 << 2.0;
    QTest::newRow("just above half") << 2.5001 << 3.0;
    QTest::newRow("whole") << 7.0 << 7.0;
}

void TestLenientNumber::roundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(kivola::roundHalfToEven(value), expected);
}

void TestLenientNumber::converts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits16");
    QTest::addColumn<bool>("fits32");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("small") << 2.0 << true << true;
    QTest::newRow("16-bit top") << 32767.0 << true << true;
    QTest::newRow("16-bit top rounds over") << 32767.5 << false << true;
    QTest::newRow("16-bit bottom") << -32768.0 << true << true;
    QTest::newRow("32-bit top") << 2147483647.0 << false << true;
    QTest::newRow("32-bit top plus one") << 2147483648.0 << false << false;
    QTest::newRow("32-bit bottom") << -2147483648.0 << false << true;
    QTest::newRow("huge") << 99999999999.0 << false << false;
    QTest::newRow("infinite") << inf << false << false;
    QTest::newRow("not a number") << std::nan("") << false << false;
}

void TestLenientNumber::converts()
{
    QFETCH(double, value);
    QFETCH(bool, fits16);
    QFETCH(bool, fits32);
    QCOMPARE(toInt16(value).has_value(), fits16);
    QCOMPARE(toInt32(value).has_value(), fits32);
    if (fits32)
        QCOMPARE(double(*toInt32(value)), roundHalfToEven(value));
}

QTEST_GUILESS_MAIN(TestLenientNumber)
#include "tst_lenientnumber.moc"

#include "tests/support/controlcheck.h"
#include "tests/support/uitest.h"
#include "ui/frmabout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace kivola;
using uitest::child;

class TestFrmAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void frame();
    void controls_data();
    void controls();
    void texts();
    void keysClose_data();
    void keysClose();
    void centredOverOwner();
};

void TestFrmAbout::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmAbout::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmAbout::frame()
{
    FrmAbout about(nullptr);
    QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about.size(), QSize(391, 235));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!child<QLabel>(&about, QStringLiteral("picIcon"))->pixmap().isNull());
}

void TestFrmAbout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ControlRow>("row");

    QTest::newRow("cmdOK") << "cmdOK" << ControlRow {{4245, 3000, 1467, 345}};
    QTest::newRow("picIcon") << "picIcon" << ControlRow {{240, 240, 540, 540}};
    QTest::newRow("Label1") << "Label1"
                            << ControlRow {{960, 240, 4695, 615}, false, 27, true, true, Qt::blue};
    QTest::newRow("Label2") << "Label2"
                            << ControlRow {
                                   {240, 2640, 3870, 825}, false, 13, false, false, Qt::black};
    QTest::newRow("VTitle2") << "VTitle2"
                             << ControlRow {
                                    {840, 1680, 4575, 495}, false, 16, true, false, Qt::black};
    QTest::newRow("VTitle1") << "VTitle1"
                             << ControlRow {
                                    {2160, 960, 1575, 255}, false, 16, true, false, Qt::red};
    QTest::newRow("Line11") << "Line11" << lineRow(QColor(0x80, 0x80, 0x80));
    QTest::newRow("Line10") << "Line10" << lineRow(Qt::white);
}

void TestFrmAbout::controls()
{
    QFETCH(QString, name);
    QFETCH(ControlRow, row);
    FrmAbout about(nullptr);
    checkControl(&about, name, row);
}

void TestFrmAbout::texts()
{
    FrmAbout about(nullptr);
    QCOMPARE(
        child<QLabel>(&about, QStringLiteral("Label1"))->text(), QStringLiteral("Torenza　Kivola"));
    QCOMPARE(
        child<QLabel>(&about, QStringLiteral("VTitle1"))->text(), QStringLiteral("Version 1.0"));
    const QStringList notice = child<QLabel>(&about, QStringLiteral("Label2"))->text().split(u'\n');
    QCOMPARE(notice.size(), 3);
    QCOMPARE(notice.at(1), QStringLiteral("作成日：2003年6月7日"));
    // The separator: grey line above, white line one pixel below.
    QCOMPARE(child<QWidget>(&about, QStringLiteral("Line11"))->y() + 1,
        child<QWidget>(&about, QStringLiteral("Line10"))->y());
}

void TestFrmAbout::keysClose_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Space on OK") << int(Qt::Key_Space);
}

void TestFrmAbout::keysClose()
{
    QFETCH(int, key);
    FrmAbout about(nullptr);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.focusWidget(), child<QPushButton>(&about, QStringLiteral("cmdOK")));
    QTest::keyClick(about.focusWidget(), Qt::Key(key));
    QTRY_VERIFY(!about.isVisible());
}

void TestFrmAbout::centredOverOwner()
{
    QWidget owner;
    owner.setGeometry(40, 60, 330, 260);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    FrmAbout about(&owner);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    checkFramed(&about);
    // Outer frame over outer frame, the differences halved as whole pixels.
    const QRect ownerFrame = owner.frameGeometry();
    const QSize outer = about.frameGeometry().size();
    QTRY_COMPARE(about.frameGeometry().topLeft(),
        ownerFrame.topLeft()
            + QPoint((ownerFrame.width() - outer.width()) / 2,
                (ownerFrame.height() - outer.height()) / 2));
    about.close();
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"

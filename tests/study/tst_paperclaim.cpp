#include "study/paperclaim.h"
#include "tests/support/testfiles.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

constexpr qint64 PaperId = 7;
// Far above any process id the system hands out.
constexpr qint64 GonePid = 0x7FFFFFF0;

} // namespace

class TestPaperClaim : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void heldUntilReleased();
    void leftoverLock_data();
    void leftoverLock();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_record;
};

void TestPaperClaim::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_record = m_dir->filePath(QStringLiteral("kivola.sqlite"));
}

void TestPaperClaim::heldUntilReleased()
{
    std::optional<PaperClaim> claim = PaperClaim::take(m_record, PaperId);
    QVERIFY(claim && claim->isHeld());
    QCOMPARE(entriesOf(m_dir->path()), QStringList {QStringLiteral("kivola.sqlite.paper-7.lock")});
    // Held, however long: even by this same copy, as a paper open in one of its windows.
    QVERIFY(!PaperClaim::isFree(m_record, PaperId));
    QVERIFY(!PaperClaim::take(m_record, PaperId));
    QVERIFY(PaperClaim::isFree(m_record, PaperId + 1));

    // Moving hands the claim on without letting go.
    PaperClaim moved = std::move(*claim);
    claim.reset();
    QVERIFY(moved.isHeld());
    QVERIFY(!PaperClaim::isFree(m_record, PaperId));

    moved.release();
    QVERIFY(!moved.isHeld());
    QVERIFY(entriesOf(m_dir->path()).isEmpty());
    {
        const std::optional<PaperClaim> again = PaperClaim::take(m_record, PaperId);
        QVERIFY(again);
    }
    QVERIFY(PaperClaim::isFree(m_record, PaperId));
    QVERIFY(entriesOf(m_dir->path()).isEmpty());
}

void TestPaperClaim::leftoverLock_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("free");

    const QByteArray gone = QByteArray::number(GonePid) + "\nkivola\n"
        + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n'
        + QSysInfo::bootUniqueId() + '\n';
    QTest::newRow("of a copy that is gone") << gone << 0 << true;
    QTest::newRow("naming no one, a minute old") << QByteArray() << 60 << true;
    QTest::newRow("naming no one, just made") << QByteArray() << 0 << false;
}

void TestPaperClaim::leftoverLock()
{
    QFETCH(QByteArray, content);
    QFETCH(int, ageSeconds);
    QFETCH(bool, free);

    const QString lock = PaperClaim::lockPath(m_record, PaperId);
    writeFile(lock, content);
    if (ageSeconds > 0) {
        QFile file(lock);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(
            QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    }
    const std::optional<PaperClaim> claim = PaperClaim::take(m_record, PaperId);
    QCOMPARE(claim.has_value(), free);
    if (!free)
        QCOMPARE(fileContent(lock), content);
}

QTEST_GUILESS_MAIN(TestPaperClaim)
#include "tst_paperclaim.moc"

#include "bank/compiledpapers.h"
#include "session/dailyreview.h"
#include "session/reviewchoices.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

QDateTime g_now;

QDateTime testClock()
{
    return g_now;
}

const QTimeZone Tokyo("Asia/Tokyo");

QDateTime localTime(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    return QDateTime(date, time, zone).toUTC();
}

} // namespace

class TestDailyReview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void dayStartsAtFour_data();
    void dayStartsAtFour();
    void answeredElsewhereCountsAsReviewed();
    void answersAreKeptAtOnce();
    void aMonthOfDailyReview();

private:
    QString recordPath() const { return StudyRecord::pathIn(m_dir->path()); }
    GivenAnswer rightAnswer(int slot, int id) const;

    QuestionBank m_bank;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDailyReview::initTestCase()
{
    QVERIFY(Tokyo.isValid());
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_bank = build.bank;
}

void TestDailyReview::init()
{
    // A month of answers is over a thousand transactions, each with its syncs: in memory, where
    // there is a file system in memory, they cost nothing.
    const QString inMemory = QStringLiteral("/dev/shm");
    m_dir = QDir(inMemory).exists()
        ? std::make_unique<QTemporaryDir>(inMemory + QStringLiteral("/kivola-review-XXXXXX"))
        : std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

GivenAnswer TestDailyReview::rightAnswer(int slot, int id) const
{
    return {slot, id, AnswerCode(m_bank.record(id).answerCode.toInt()), true};
}

void TestDailyReview::dayStartsAtFour_data()
{
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QTime>("later");
    QTest::addColumn<int>("introducedToday");

    for (const QTimeZone &zone : {Tokyo, QTimeZone::utc()}) {
        const QByteArray name = zone.id();
        QTest::newRow(name + ", 3:59: the same study day") << zone << QTime(3, 59) << 1;
        QTest::newRow(name + ", 4:00: a new one") << zone << QTime(4, 0) << 0;
    }
}

// A statement met at 1:00 local time belongs to the evening before until 4:00.
void TestDailyReview::dayStartsAtFour()
{
    QFETCH(QTimeZone, zone);
    QFETCH(QTime, later);
    QFETCH(int, introducedToday);

    const QDate date(2025, 10, 7);
    g_now = localTime(date, QTime(1, 0), zone);
    DailyReview review(recordPath(), m_bank, zone, &testClock);
    QVERIFY(review.reload());
    QVERIFY(review.answer(ReviewGiven::True).recorded);

    g_now = localTime(date, later, zone);
    DailyReview next(recordPath(), m_bank, zone, &testClock);
    QVERIFY(next.reload());
    QCOMPARE(next.plan().introducedToday(), introducedToday);
    QVERIFY(!next.plan().due().contains(review.batch().constFirst()));
    QVERIFY(!next.batch().contains(review.batch().constFirst()));
}

void TestDailyReview::answeredElsewhereCountsAsReviewed()
{
    g_now = localTime(QDate(2025, 10, 7), QTime(20, 0), Tokyo);
    CompletedTest test {g_now, TestKind::Ordinary, 100, {}};
    for (int slot = 1; slot <= AnswersPerTest; ++slot)
        test.answers[slot - 1] = rightAnswer(slot, slot);
    QVERIFY(StudyRecord(recordPath()).record(test));

    DailyReview review(recordPath(), m_bank, Tokyo, &testClock);
    QVERIFY(review.reload());
    QCOMPARE(review.plan().introducedToday(), AnswersPerTest);
    QCOMPARE(review.newLeft(), ReviewSettings::DefaultNewPerDay - AnswersPerTest);
    for (int id = 1; id <= AnswersPerTest; ++id) {
        QVERIFY(review.plan().statement(id).seen);
        QVERIFY(!review.batch().contains(id));
    }
}

void TestDailyReview::answersAreKeptAtOnce()
{
    g_now = localTime(QDate(2025, 10, 7), QTime(20, 0), Tokyo);
    DailyReview review(recordPath(), m_bank, Tokyo, &testClock);
    QVERIFY(review.reload());
    const QList<int> asked = review.batch().mid(0, 3);
    const int bankAnswer = m_bank.record(asked.at(0)).answerCode.toInt();
    const ReviewGiven right = bankAnswer == AnswerTrue ? ReviewGiven::True : ReviewGiven::False;
    const ReviewGiven wrong = bankAnswer == AnswerTrue ? ReviewGiven::False : ReviewGiven::True;

    const ReviewOutcome first = review.answer(right);
    QVERIFY(first.right);
    QCOMPARE(int(first.bankAnswer), bankAnswer);
    QCOMPARE(review.newLeft(), ReviewSettings::DefaultNewPerDay - 1);
    QVERIFY(!review.answer(ReviewGiven::DontKnow).right);
    review.answer(wrong);

    const std::optional<QList<StatementEvent>> history
        = StudyRecord(recordPath()).statementHistory();
    QVERIFY(history);
    QCOMPARE(history->size(), 3);
    QCOMPARE(history->at(0),
        (StatementEvent {asked.at(0), g_now, true, bankAnswer, StatementEvent::Source::Review, 0}));
    QCOMPARE(history->at(1).given, int(ReviewGiven::DontKnow));
    QVERIFY(!history->at(1).right);
    QCOMPARE(history->at(2).bankId, asked.at(2));
    QCOMPARE(review.answeredCount(), 3);
}

// Thirty days of answering everything offered, a fixed rule deciding each answer: every day, no
// statement comes twice, what was counted at the start is what gets asked, and nothing is left.
void TestDailyReview::aMonthOfDailyReview()
{
    constexpr int Days = 30;
    const QDate first(2025, 11, 20);
    g_now = localTime(first, QTime(7, 0), Tokyo);
    {
        StudyRecord record(recordPath());
        ReviewSettings settings = ReviewSettings::defaults(first);
        settings.newPerDay = 15;
        settings.sessionSize = 12;
        QVERIFY(SaveReviewSettings(record, settings, first));
    }
    int answeredInAll = 0;
    for (int day = 0; day < Days; ++day) {
        // Evenings, some after midnight: the study day is still the one that began at 4:00.
        g_now = localTime(first.addDays(day), QTime(21, 0), Tokyo).addSecs(day % 3 * 3600 * 2);
        DailyReview review(recordPath(), m_bank, Tokyo, &testClock);
        QVERIFY(review.reload());
        const int offered = review.dueLeft() + review.newLeft();
        QCOMPARE(review.plan().dueForecast().constFirst(), review.dueLeft());
        QCOMPARE(review.newLeft(), qMax(0, review.plan().newPerDay()));
        QSet<int> asked;
        do {
            QVERIFY(review.batch().size() <= review.settings().sessionSize);
            bool newSeen = false;
            while (const std::optional<int> id = review.current()) {
                const bool isNew = !review.plan().statement(*id).seen;
                // Due ones come first.
                QVERIFY(isNew || !newSeen);
                newSeen = newSeen || isNew;
                QVERIFY2(!asked.contains(*id), qPrintable(QString::number(*id)));
                asked.insert(*id);
                const int bankAnswer = m_bank.record(*id).answerCode.toInt();
                const int rule = (*id + day) % 5;
                const ReviewGiven given = rule == 0             ? ReviewGiven::DontKnow
                    : (rule == 1) == (bankAnswer == AnswerTrue) ? ReviewGiven::False
                                                                : ReviewGiven::True;
                QVERIFY(review.answer(given).recorded);
                g_now = g_now.addSecs(20);
            }
        } while (review.goOn());
        QCOMPARE(int(asked.size()), offered);
        QCOMPARE(review.dueLeft(), 0);
        QCOMPARE(review.newLeft(), 0);
        answeredInAll += int(asked.size());
    }
    QCOMPARE(StudyRecord(recordPath()).statementHistory()->size(), answeredInAll);
}

QTEST_GUILESS_MAIN(TestDailyReview)
#include "tst_dailyreview.moc"

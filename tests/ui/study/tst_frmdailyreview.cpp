#include "bank/banktext.h"
#include "bank/compiledpapers.h"
#include "bank/studylayer.h"
#include "session/dailyreview.h"
#include "tests/support/fixturebank.h"
#include "tests/support/sqlitefile.h"
#include "tests/support/uitest.h"
#include "ui/study/frmdailyreview.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

const QDateTime FirstDay(QDate(2026, 4, 1), QTime(18, 0), Qt::UTC);
const QDate ExamDate(2027, 1, 16);

// A key as the student types it: a key code, or only the text an input method sends.
struct Key
{
    Qt::Key key;
    QString text;
};

void press(QWidget *window, const Key &key)
{
    QWidget *target = window->focusWidget() ? window->focusWidget() : window;
    QTest::sendKeyEvent(QTest::Press, target, key.key, key.text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, target, key.key, key.text, Qt::NoModifier);
}

const Key Enter {Qt::Key_Return, QStringLiteral("\r")};
const Key KeyO {Qt::Key_O, QStringLiteral("o")};
const Key KeyX {Qt::Key_X, QStringLiteral("x")};
const Key Space {Qt::Key_Space, QStringLiteral(" ")};

// The fixture bank: odd ids are true, even ones false.
Key rightKey(int id)
{
    return id % 2 == 1 ? KeyO : KeyX;
}

Key wrongKey(int id)
{
    return id % 2 == 1 ? KeyX : KeyO;
}

bool visible(const QWidget *window, const char *name)
{
    return child<QWidget>(window, QString::fromLatin1(name))->isVisible();
}

} // namespace

Q_DECLARE_METATYPE(Key)

class TestFrmDailyReview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void keysAnswer_data();
    void keysAnswer();
    void batchByKeysToTheSummaryAndOn();
    void nothingLeftToday();
    void monthByKeyboardAlone();
    void keepsItsSizeThroughTheBank();

private:
    // Today's review on the record, under small settings so that batches stay short.
    std::unique_ptr<DailyReview> review(
        int newPerDay, int sessionSize, const QDate &exam = ExamDate);
    std::unique_ptr<FrmDailyReview> open(std::unique_ptr<DailyReview> review);
    QString recordPath() const { return m_dir->filePath(QStringLiteral("kivola.sqlite")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QDateTime m_now;
};

void TestFrmDailyReview::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmDailyReview::init()
{
    // Every answer is synced to the record; in memory, where there is such a folder, a month of
    // answers takes a moment rather than half a minute.
    const QDir memory(QStringLiteral("/dev/shm"));
    m_dir = memory.exists()
        ? std::make_unique<QTemporaryDir>(memory.filePath(QStringLiteral("kivola-XXXXXX")))
        : std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_now = FirstDay;
}

void TestFrmDailyReview::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

std::unique_ptr<DailyReview> TestFrmDailyReview::review(
    int newPerDay, int sessionSize, const QDate &exam)
{
    auto review = std::make_unique<DailyReview>(
        recordPath(), fixture::completeBank(), QTimeZone::utc(), [this] { return m_now; });
    if (!review->reload())
        return nullptr;
    ReviewSettings settings = review->settings();
    settings.newPerDay = newPerDay;
    settings.sessionSize = sessionSize;
    settings.examDate = exam;
    if (!review->setSettings(settings))
        return nullptr;
    return review;
}

std::unique_ptr<FrmDailyReview> TestFrmDailyReview::open(std::unique_ptr<DailyReview> review)
{
    auto window = std::make_unique<FrmDailyReview>(fixture::completeBank(),
        fixture::completeLayer(), std::move(review), recordPath(), nullptr, nullptr);
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window;
}

void TestFrmDailyReview::keysAnswer_data()
{
    QTest::addColumn<Key>("key");
    QTest::addColumn<int>("given");
    const int yes = int(ReviewGiven::True);
    const int no = int(ReviewGiven::False);
    const int dontKnow = int(ReviewGiven::DontKnow);
    QTest::newRow("O") << KeyO << yes;
    QTest::newRow("1") << Key {Qt::Key_1, QStringLiteral("1")} << yes;
    QTest::newRow("full-width o") << Key {Qt::Key_unknown, QStringLiteral("ｏ")} << yes;
    QTest::newRow("full-width 1") << Key {Qt::Key_unknown, QStringLiteral("１")} << yes;
    QTest::newRow("X") << KeyX << no;
    QTest::newRow("2") << Key {Qt::Key_2, QStringLiteral("2")} << no;
    QTest::newRow("full-width x") << Key {Qt::Key_unknown, QStringLiteral("ｘ")} << no;
    QTest::newRow("full-width 2") << Key {Qt::Key_unknown, QStringLiteral("２")} << no;
    QTest::newRow("space") << Space << dontKnow;
    QTest::newRow("full-width space") << Key {Qt::Key_unknown, QStringLiteral("　")} << dontKnow;
}

void TestFrmDailyReview::keysAnswer()
{
    QFETCH(Key, key);
    QFETCH(int, given);
    const auto window = open(review(5, 5));
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("frmDailyReview"));
    const int id = *window->review().current();
    QVERIFY(!visible(window.get(), "lblCitation"));
    QVERIFY(!visible(window.get(), "lblCommentary"));
    press(window.get(), key);
    QVERIFY(visible(window.get(), "lblCommentary"));
    QCOMPARE(textOf(window.get(), QStringLiteral("lblCommentary")),
        QStringLiteral("補足：") + fixture::completeLayer().note(id).commentary);
    QCOMPARE(sqliteValue(recordPath(), QStringLiteral("SELECT count(*) FROM reviews")).toInt(), 1);
    QCOMPARE(sqliteValue(recordPath(),
                 QStringLiteral("SELECT given FROM reviews WHERE bank_id = %1").arg(id))
                 .toInt(),
        given);
    // A second key before Enter answers nothing more.
    press(window.get(), key);
    QCOMPARE(window->review().answeredCount(), 1);
    QCOMPARE(window->focusWidget(), child<QPushButton>(window.get(), QStringLiteral("btnNext")));
    window->close();
}

void TestFrmDailyReview::batchByKeysToTheSummaryAndOn()
{
    const auto window = open(review(7, 5));
    QVERIFY(window);
    QWidget *w = window.get();
    QCOMPARE(textOf(w, QStringLiteral("lblProgress")),
        QStringLiteral("1／5問　残り：復習 0問・新しい問題 7問"));
    const QList<QString> verdicts {QStringLiteral("○ 正解"), QStringLiteral("× 不正解"),
        QStringLiteral("わからない"), QStringLiteral("○ 正解"), QStringLiteral("○ 正解")};
    for (int i = 0; i < 5; ++i) {
        const int id = *window->review().current();
        const QuestionRecord record = fixture::question(id);
        QCOMPARE(textOf(w, QStringLiteral("lblStatement")), record.questionText);
        press(w, i == 1 ? wrongKey(id) : i == 2 ? Space : rightKey(id));
        QCOMPARE(textOf(w, QStringLiteral("lblVerdict")), verdicts.at(i));
        QVERIFY(
            textOf(w, QStringLiteral("lblAnswer")).contains(AnswerMark(codeOf(record.answerCode))));
        QVERIFY(visible(w, "lblCitation"));
        QCOMPARE(textOf(w, QStringLiteral("lblCitation")), CitationText(record));
        QVERIFY(!visible(w, "btnTrue"));
        press(w, Enter);
    }
    QVERIFY(visible(w, "pageEnd"));
    QCOMPARE(textOf(w, QStringLiteral("lblEndHeading")), QStringLiteral("5問中 3問正解"));
    QVERIFY(textOf(w, QStringLiteral("lblEndText"))
                .startsWith(QStringLiteral(
                    "○ 正解 3問・× 不正解 1問・わからない 1問\n残り：復習 0問・新しい問題 2問")));
    QCOMPARE(w->focusWidget(), child<QPushButton>(w, QStringLiteral("btnMore")));

    // 続けて復習: the two new statements left, then the day is done.
    press(w, Enter);
    QCOMPARE(window->review().batch().size(), 2);
    for (int i = 0; i < 2; ++i) {
        press(w, rightKey(*window->review().current()));
        press(w, Enter);
    }
    QVERIFY(!visible(w, "btnMore"));
    QVERIFY(textOf(w, QStringLiteral("lblEndText"))
                .contains(QStringLiteral("今日の復習はこれで終わりです")));
    QVERIFY(textOf(w, QStringLiteral("lblEndText")).contains(QStringLiteral("次の復習は")));
    QCOMPARE(sqliteValue(recordPath(), QStringLiteral("SELECT count(*) FROM reviews")).toInt(), 7);
    press(w, Enter);
    QVERIFY(!w->isVisible());
}

void TestFrmDailyReview::nothingLeftToday()
{
    // With the exam not ahead, nothing raises the number of new statements above none.
    const auto window = open(review(0, 5, FirstDay.date()));
    QVERIFY(window);
    QCOMPARE(textOf(window.get(), QStringLiteral("lblEndHeading")),
        QStringLiteral("今日の復習はもう終わっています"));
    QVERIFY(!visible(window.get(), "frameStatement"));
    QVERIFY(!visible(window.get(), "btnMore"));
    // Keys that would answer do nothing here.
    press(window.get(), KeyO);
    press(window.get(), Space);
    QCOMPARE(window->review().answeredCount(), 0);
    press(window.get(), Enter);
    QVERIFY(!window->isVisible());
}

void TestFrmDailyReview::monthByKeyboardAlone()
{
    constexpr int Days = 30;
    constexpr int NewPerDay = 6;
    int answeredInMonth = 0;
    int newInMonth = 0;
    for (int day = 0; day < Days; ++day) {
        m_now = FirstDay.addDays(day);
        std::unique_ptr<DailyReview> today = review(NewPerDay, 5);
        QVERIFY(today);
        const int queued = today->dueLeft() + today->newLeft();
        newInMonth += today->newLeft();
        const auto window = open(std::move(today));
        QVERIFY(window);
        QWidget *w = window.get();
        // A fixed rule: now and then "わからない", now and then wrong, mostly right.
        int presses = 0;
        while (w->isVisible() && presses++ < 10 * queued + 10) {
            if (visible(w, "btnTrue")) {
                const int id = *window->review().current();
                press(w,
                    (id + day) % 7 == 0       ? Space
                        : (id + day) % 4 == 0 ? wrongKey(id)
                                              : rightKey(id));
            }
            press(w, Enter);
        }
        QVERIFY2(!w->isVisible(), qPrintable(QStringLiteral("day %1").arg(day)));
        QCOMPARE(window->review().answeredCount(), queued);
        QCOMPARE(window->review().dueLeft(), 0);
        QCOMPARE(window->review().newLeft(), 0);
        answeredInMonth += queued;
    }
    QCOMPARE(newInMonth, Days * NewPerDay);
    QCOMPARE(sqliteValue(recordPath(), QStringLiteral("SELECT count(*) FROM reviews")).toInt(),
        answeredInMonth);
    QCOMPARE(
        sqliteValue(recordPath(), QStringLiteral("SELECT count(DISTINCT bank_id) FROM reviews"))
            .toInt(),
        newInMonth);
    // Reviews came back, so the month held more answers than new statements.
    QVERIFY(answeredInMonth > newInMonth);
}

void TestFrmDailyReview::keepsItsSizeThroughTheBank()
{
    // The real statements and explanations, the longest ones wrapping over several lines.
    const QuestionBank bank = BankLoader(compiledPapersDirectory()).build().bank;
    auto all = std::make_unique<DailyReview>(
        recordPath(), bank, QTimeZone::utc(), [this] { return m_now; });
    QVERIFY(all->reload());
    ReviewSettings settings = all->settings();
    settings.newPerDay = ReviewSettings::MaximumNewPerDay;
    settings.sessionSize = ReviewSettings::MaximumSessionSize;
    QVERIFY(all->setSettings(settings));
    const StudyLayer layer = StudyLayerLoader(compiledStudyLayerDirectory(), bank).build().layer;
    FrmDailyReview window(bank, layer, std::move(all), recordPath(), nullptr, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize designed = window.size();
    auto *commentary = child<QLabel>(&window, QStringLiteral("lblCommentary"));
    while (window.review().current()) {
        press(&window, Space);
        QCOMPARE(window.size(), designed);
        // The longest commentary below the longest explanation still has all its lines.
        QVERIFY(commentary->isVisible());
        QVERIFY2(commentary->height() >= commentary->heightForWidth(commentary->width()),
            qPrintable(commentary->text()));
        press(&window, Enter);
        QCOMPARE(window.size(), designed);
    }
}

QTEST_MAIN(TestFrmDailyReview)
#include "tst_frmdailyreview.moc"

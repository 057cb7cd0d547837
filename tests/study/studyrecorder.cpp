// A second copy of the program, as far as the learning record is concerned, for the tests that
// need one to run beside them, die in the middle of a write or run with other rights.
//   kivola-test-studyrecorder record PATH COUNT [PAUSE_MS]
//       records COUNT tests with a random pause of up to PAUSE_MS between them, then prints how
//       many could not be saved and how many files were moved aside; with COUNT 0 it records
//       until killed and announces every test once its transaction has committed
//   kivola-test-studyrecorder hold PATH
//       holds an exclusive lock on the record until killed
//   kivola-test-studyrecorder paper PATH
//       starts a mock paper of PaperItems items, claims it, and answers until killed: answer n
//       (from 0) chooses option n % 4 + 1 at position n % PaperItems + 1 with 3600 - n seconds
//       left, and is announced once its transaction has committed; a few milliseconds apart,
//       as a student's answers are far apart, so that the test's reads get their turn
#include "study/itemrecord.h"
#include "study/paperclaim.h"
#include "study/studyrecord.h"
#include "tests/support/announce.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

using namespace kivola;

namespace {

constexpr int UsageError = 2;
constexpr int Points = 60;

CompletedTest testNumber(long long n)
{
    CompletedTest test {QDateTime::currentDateTimeUtc(), TestKind::Ordinary, Points, {}};
    for (int slot = 1; slot <= AnswersPerTest; ++slot) {
        const int id = int((n * AnswersPerTest + slot) % QuestionBank::QuestionCount) + 1;
        test.answers[slot - 1] = {slot, id, AnswerTrue, slot % 2 == 1};
    }
    return test;
}

int record(const QStringList &args)
{
    StudyRecord record(args.at(2));
    const long long count = args.at(3).toLongLong();
    const int pauseMs = args.value(4).toInt();
    announce("ready");
    int failed = 0;
    for (long long done = 0; count == 0 || done < count; ++done) {
        if (!record.record(testNumber(done)))
            ++failed;
        else if (count == 0)
            announce("saved");
        if (pauseMs > 0)
            QThread::msleep(QRandomGenerator::global()->bounded(pauseMs + 1));
    }
    std::printf("%d %lld\n", failed, record.takeNotices().size());
    return 0;
}

int hold(const QStringList &args)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(args.at(2));
    QSqlQuery query(db);
    if (!db.open() || !query.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        return 1;
    announce("locked");
    waitToBeKilled();
}

int paper(const QStringList &args)
{
    constexpr int PaperItems = 30;
    constexpr int Options = 4;
    constexpr int TimeLimit = 3600;
    constexpr unsigned long PauseMs = 5;
    ItemRecord record(args.at(2));
    QList<AttemptItem> items;
    for (int position = 1; position <= PaperItems; ++position)
        items.append({position, position, 1, 1});
    const std::optional<qint64> id = record.start(AttemptKind::MockPaper, 0, TimeLimit, items);
    if (!id)
        return 1;
    const std::optional<PaperClaim> claim = PaperClaim::take(record.path(), *id);
    if (!claim)
        return 1;
    announce("ready");
    for (int n = 0;; ++n) {
        if (!record.recordAnswer(*id, n % PaperItems + 1, n % Options + 1, false, TimeLimit - n))
            return 1;
        announce("answered");
        QThread::msleep(PauseMs);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == QLatin1String("record"))
        return record(args);
    if (args.size() == 3 && args.at(1) == QLatin1String("hold"))
        return hold(args);
    if (args.size() == 3 && args.at(1) == QLatin1String("paper"))
        return paper(args);
    return UsageError;
}

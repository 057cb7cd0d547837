// A second copy of the program, as far as the learning record is concerned, for the tests that
// need one to run beside them, die in the middle of a write or run with other rights.
//   kivola-test-studyrecorder record PATH COUNT [PAUSE_MS]
//       records COUNT tests with a random pause of up to PAUSE_MS between them, then prints how
//       many could not be saved and how many files were moved aside; with COUNT 0 it records
//       until killed and announces every test once its transaction has committed
//   kivola-test-studyrecorder hold PATH
//       holds an exclusive lock on the record until killed
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == QLatin1String("record"))
        return record(args);
    if (args.size() == 3 && args.at(1) == QLatin1String("hold"))
        return hold(args);
    return UsageError;
}

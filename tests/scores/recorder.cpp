// A second copy of the program, as far as the settings file is concerned, for the tests that
// need one to run beside them, die in the middle of a save or run with other rights.
//   kivola-test-recorder record PATH COUNT SCORE [PAUSE_MS]
//       records COUNT tests with a random pause of up to PAUSE_MS between them, then prints the
//       counters and how many saves failed; with COUNT 0 it records until killed and announces
//       every save
//   kivola-test-recorder hold PATH
//       takes the save lock and keeps it until killed
#include "scores/scorestore.h"
#include "tests/support/announce.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

using kivola::ScoreStore;

namespace {

constexpr int UsageError = 2;

int record(const QStringList &args)
{
    ScoreStore store(args.at(2));
    const long long count = args.at(3).toLongLong();
    const auto score = std::int16_t(args.at(4).toInt());
    const int pauseMs = args.value(5).toInt();
    announce("ready");
    int failed = 0;
    for (long long done = 0; count == 0 || done < count; ++done) {
        if (!store.recordTest(score))
            ++failed;
        if (count == 0)
            announce("saved");
        if (pauseMs > 0)
            QThread::msleep(QRandomGenerator::global()->bounded(pauseMs + 1));
    }
    std::printf("%d %d %d\n", store.testsTaken(), store.totalPoints(), failed);
    return 0;
}

int hold(const QStringList &args)
{
    QLockFile lock(ScoreStore(args.at(2)).lockPath());
    if (!lock.tryLock(0))
        return 1;
    announce("locked");
    waitToBeKilled();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 5 && args.at(1) == QLatin1String("record"))
        return record(args);
    if (args.size() == 3 && args.at(1) == QLatin1String("hold"))
        return hold(args);
    return UsageError;
}

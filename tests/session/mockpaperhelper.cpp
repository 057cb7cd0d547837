// A second copy of the program taking a mock paper, for the tests that kill it mid-paper or run
// it beside themselves.
//   kivola-test-mockpaper PATH
//       starts a timed paper of 2003年度本試験 in the record at PATH, prints its attempt id, then
//       follows one command a line from its input and prints "done" once each is written:
//       "answer INDEX OPTION", "flag INDEX", "wait SECONDS" (the countdown runs that long);
//       after its input ends it holds the paper until killed
#include "bank/compiledpapers.h"
#include "session/mockpapersession.h"
#include "tests/support/announce.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

using namespace kivola;

namespace {

constexpr int UsageError = 2;
constexpr int StartFailed = 3;
constexpr qint64 MsPerSecond = 1000;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2)
        return UsageError;
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    qint64 nowMs = 0;
    auto session = MockPaperSession::start(args.at(1), build.bank, 0, MockPaper::Countdown::On,
        &QDateTime::currentDateTime, [&nowMs] { return nowMs; });
    if (!session)
        return StartFailed;
    session->resumeClock();
    std::printf("%lld\n", session->attemptId());
    std::fflush(stdout);
    std::string command;
    while (std::cin >> command) {
        int value = 0;
        std::cin >> value;
        if (command == "answer") {
            int option = 0;
            std::cin >> option;
            session->setPosition(value);
            session->choose(option);
        } else if (command == "flag") {
            session->setPosition(value);
            session->setFlagged(true);
        } else if (command == "wait") {
            for (int second = 0; second < value; ++second) {
                nowMs += MsPerSecond;
                session->tick();
            }
        }
        announce("done");
    }
    waitToBeKilled();
}

#include "tests/support/helperprocess.h"

#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

constexpr int ChildExitCannotDropRights = 77;

} // namespace

void waitForLine(QProcess &process)
{
    while (!process.canReadLine())
        QVERIFY(process.waitForReadyRead(HelperTimeoutMs));
    process.readLine();
}

void startHelper(QProcess &process, const QString &program, const QStringList &args)
{
    // Text mode: on Windows the helpers' C runtime ends lines with "\r\n".
    process.start(program, args, QIODevice::ReadWrite | QIODevice::Text);
    QVERIFY2(process.waitForStarted(HelperTimeoutMs), qPrintable(process.errorString()));
    waitForLine(process);
}

LimitedRun runLimited(QProcess &process, HelperLimit limit, qint64 fileSizeBytes,
    const QString &program, const QStringList &args)
{
#ifdef Q_OS_UNIX
    // Root ignores permissions, so the helper runs as nobody instead.
    const passwd *nobody = getpwnam("nobody");
    const bool dropRights = limit == HelperLimit::Rights && geteuid() == 0;
    if (dropRights && !nobody)
        return {false, QStringLiteral("running as root without a \"nobody\" account to drop to")};
    const uid_t uid = nobody ? nobody->pw_uid : 0;
    const gid_t gid = nobody ? nobody->pw_gid : 0;

    process.setChildProcessModifier([=] {
        if (limit == HelperLimit::FileSize) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size {rlim_t(fileSizeBytes), rlim_t(fileSizeBytes)};
            setrlimit(RLIMIT_FSIZE, &size);
        }
        if (dropRights && (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0))
            _exit(ChildExitCannotDropRights);
    });
    process.start(program, args);
    const bool finished = process.waitForFinished(HelperTimeoutMs);
    if (process.error() == QProcess::FailedToStart)
        return {finished, QStringLiteral("the test helper cannot be started with fewer rights")};
    if (finished && process.exitCode() == ChildExitCannotDropRights)
        return {finished, QStringLiteral("cannot drop root rights here")};
    return {finished, {}};
#else
    Q_UNUSED(process);
    Q_UNUSED(limit);
    Q_UNUSED(fileSizeBytes);
    Q_UNUSED(program);
    Q_UNUSED(args);
    return {false, QStringLiteral("process limits and rights are tested on Unix only")};
#endif
}

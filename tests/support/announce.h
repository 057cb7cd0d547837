#pragma once

#include <QThread>

#include <cstdio>

// For the helper programs: a line for the test waiting on it, written at once.
inline void announce(const char *text)
{
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Stays as it is, holding whatever it holds, until the test kills it.
[[noreturn]] inline void waitToBeKilled()
{
    for (;;)
        QThread::sleep(1);
}

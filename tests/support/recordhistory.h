#pragma once

#include "study/completedtest.h"

#include <QDateTime>
#include <QList>

class QRandomGenerator;

// Made-up learning records for window tests and benchmarks: tests of every kind on statements
// of the whole bank, about two answers in three right, ten minutes apart.
namespace history {

kivola::CompletedTest randomTest(QRandomGenerator &random, const QDateTime &finished);

// The same seed gives the same tests.
QList<kivola::CompletedTest> randomTests(int count, quint32 seed, const QDateTime &firstFinished);

} // namespace history

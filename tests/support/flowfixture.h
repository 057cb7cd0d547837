#pragma once

#include "fixedrandomsource.h"
#include "fixturebank.h"
#include "frmmain.h"
#include "quiz.h"
#include "scorestore.h"
#include "testsession.h"

#include <QTemporaryDir>

#include <memory>

// The program's process-wide parts on the fixture bank, with a scratch settings file and a
// draw that yields the given ids.
struct FlowFixture
{
    explicit FlowFixture(const QList<int> &ids)
        : store(kivola::ScoreStore::pathIn(dir.path()))
        , random(fixture::uniformsFor(ids))
        , quiz(fixture::completeBuild, random)
        , session(quiz, store)
    { }

    QTemporaryDir dir;
    kivola::ScoreStore store;
    FixedRandomSource random;
    kivola::Quiz quiz;
    kivola::TestSession session;
};

#pragma once

#include "quiz/quiz.h"
#include "scores/scorestore.h"
#include "session/testsession.h"
#include "study/studyrecord.h"
#include "tests/support/fixedrandomsource.h"
#include "tests/support/fixturebank.h"

#include <QTemporaryDir>

#include <memory>

// The program's process-wide parts on the fixture bank, with a scratch settings file and a
// draw that yields the given ids.
struct FlowFixture
{
    explicit FlowFixture(const QList<int> &ids)
        : store(kivola::ScoreStore::pathIn(dir.path()))
        , study(kivola::StudyRecord::pathIn(dir.path()))
        , random(fixture::uniformsFor(ids))
        , quiz(fixture::completeBuild, random, fixture::completeLayerBuild)
        , session(quiz, store, study)
    { }

    QTemporaryDir dir;
    kivola::ScoreStore store;
    kivola::StudyRecord study;
    FixedRandomSource random;
    kivola::Quiz quiz;
    kivola::TestSession session;
};

#pragma once

#include "fixedrandomsource.h"
#include "fixturebank.h"
#include "frmmain.h"
#include "quiz.h"
#include "scorestore.h"
#include "studyrecord.h"
#include "testsession.h"

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
        , quiz(fixture::completeBuild, random)
        , session(quiz, store, study)
    { }

    QTemporaryDir dir;
    kivola::ScoreStore store;
    kivola::StudyRecord study;
    FixedRandomSource random;
    kivola::Quiz quiz;
    kivola::TestSession session;
};

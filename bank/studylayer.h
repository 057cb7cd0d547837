#pragma once

#include "bank/contenterror.h"
#include "bank/paper.h"
#include "bank/questionbank.h"
#include "bank/studynote.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <span>

namespace kivola {

// The study notes of the bank's statements, by id (1..565), kept beside the bank so that the
// bank's own records stay as the papers give them.
class StudyLayer
{
public:
    StudyLayer();

    void insert(int id, StudyNote note);
    bool contains(int id) const;
    // An id without a note gives an empty one: no commentary and no theme.
    const StudyNote &note(int id) const;
    int noteCount() const { return m_count; }
    bool isComplete() const { return m_count == QuestionBank::QuestionCount; }

private:
    QList<StudyNote> m_notes;
    int m_count = 0;
};

struct StudyLayerBuild
{
    StudyLayer layer;
    QList<ContentError> errors;
    QStringList missingFiles;

    bool isUsable() const
    {
        return errors.isEmpty() && missingFiles.isEmpty() && layer.isComplete();
    }
};

// Builds the layer from the files found in one directory (the compiled-in resources in the
// program, the source folder or a fixture folder in tests), one file a paper under the paper's
// own file name, checked against the bank they comment on.
class StudyLayerLoader
{
public:
    StudyLayerLoader(
        QString directory, const QuestionBank &bank, std::span<const Paper> papers = Papers);

    StudyLayerBuild build() const;

private:
    QString m_directory;
    const QuestionBank &m_bank;
    std::span<const Paper> m_papers;
};

} // namespace kivola

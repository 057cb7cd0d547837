#pragma once

#include "bank/contenterror.h"
#include "bank/paper.h"
#include "bank/questionrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <span>

namespace kivola {

// Entry 0 is a header row holding the field captions; questions are entries 1..565, so a
// question's id is its index.
class QuestionBank
{
public:
    static constexpr int QuestionCount = 565;

    QuestionBank();

    static QuestionRecord headerRecord();

    void append(QuestionRecord record);
    int questionCount() const { return int(m_entries.size()) - 1; }
    bool isComplete() const { return questionCount() == QuestionCount; }
    bool contains(int id) const { return id >= 0 && id < m_entries.size(); }

    // Ids come from the draw, which never leaves 1..565; anything else is a programming error
    // and stops the program rather than reading past the table.
    const QuestionRecord &record(int id) const;

private:
    QList<QuestionRecord> m_entries;
};

struct BankBuild
{
    QuestionBank bank;
    QList<ContentError> errors;
    QStringList missingPapers;

    bool isUsable() const
    {
        return errors.isEmpty() && missingPapers.isEmpty() && bank.isComplete();
    }
};

// Builds the bank from the paper files found in one directory (the compiled-in resources in
// the program, the source folder or a fixture folder in tests), in the order of the paper list.
// A paper is read in its compiled form where there is one, else from its UTF-8 source.
class BankLoader
{
public:
    explicit BankLoader(QString directory, std::span<const Paper> papers = Papers);

    BankBuild build() const;

    // The compiled form of a paper is its text in UTF-16, in the byte order of the machine that
    // builds the program, led by a byte-order mark: the program reads it in place, without
    // decoding or copying, at every test start.
    static QString compiledName(const Paper &paper);
    static QByteArray compile(const QByteArray &utf8);

private:
    QString m_directory;
    std::span<const Paper> m_papers;
};

} // namespace kivola

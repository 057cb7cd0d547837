#include "bank/studylayer.h"

#include "bank/studylayerparser.h"

#include <QFile>

namespace kivola {

StudyLayer::StudyLayer()
    : m_notes(QuestionBank::QuestionCount + 1)
{ }

void StudyLayer::insert(int id, StudyNote note)
{
    if (id < 1 || id >= m_notes.size())
        return;
    if (!contains(id))
        ++m_count;
    m_notes[id] = std::move(note);
}

bool StudyLayer::contains(int id) const
{
    // Every note that passed the parser has a commentary.
    return id >= 1 && id < m_notes.size() && !m_notes.at(id).commentary.isEmpty();
}

const StudyNote &StudyLayer::note(int id) const
{
    return contains(id) ? m_notes.at(id) : m_notes.at(0);
}

StudyLayerLoader::StudyLayerLoader(
    QString directory, const QuestionBank &bank, std::span<const Paper> papers)
    : m_directory(std::move(directory))
    , m_bank(bank)
    , m_papers(papers)
{ }

StudyLayerBuild StudyLayerLoader::build() const
{
    StudyLayerBuild result;
    int firstId = 1;
    for (const Paper &paper : m_papers) {
        const QString name = QString::fromUtf8(paper.fileName);
        QFile file(m_directory + QLatin1Char('/') + name);
        if (file.open(QIODevice::ReadOnly)) {
            const ParsedLayer parsed
                = StudyLayerParser::parse(paper, firstId, file.readAll(), m_bank);
            result.errors.append(parsed.errors);
            for (const auto &[id, note] : parsed.notes)
                result.layer.insert(id, note);
        } else {
            result.missingFiles.append(name);
        }
        firstId += paper.questionCount;
    }
    return result;
}

} // namespace kivola

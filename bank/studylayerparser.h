#pragma once

#include "bank/contenterror.h"
#include "bank/paper.h"
#include "bank/questionbank.h"
#include "bank/studynote.h"

#include <QByteArray>
#include <QList>

#include <utility>

namespace kivola {

struct ParsedLayer
{
    // Each note with the id of its statement, in file order.
    QList<std::pair<int, StudyNote>> notes;
    QList<ContentError> errors;
};

// Reads one study layer file: a header line, then one row a statement, in id order, four
// tab-separated UTF-8 fields (id, commentary, period, themes), LF line ends. Every fault is
// reported with its line and field, so that a slip in the layer stops the build instead of
// showing a wrong or missing note; rows with errors are left out.
class StudyLayerParser
{
public:
    static constexpr int MaxCommentaryLength = 120;
    static constexpr int MaxThemes = 2;

    // firstId is the id of the paper's first statement. The bank, where it holds an id, is
    // checked against: a commentary adds to the bank's explanation and never copies it.
    static ParsedLayer parse(
        const Paper &paper, int firstId, const QByteArray &content, const QuestionBank &bank);
    static QString headerLine();
    // The separator of two themes in a row.
    static QString themeSeparator();
};

} // namespace kivola

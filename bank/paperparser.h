#pragma once

#include "contenterror.h"
#include "paper.h"
#include "questionrecord.h"

#include <QByteArray>
#include <QList>

namespace kivola {

struct ParsedPaper
{
    QList<QuestionRecord> records;
    QList<ContentError> errors;
};

// Reads one paper file: a header line, then one question a line, seven tab-separated UTF-8
// fields, LF line ends. Every rule the rest of the program relies on is checked here, so a bad
// file is reported line by line instead of producing a short or broken bank. Rows with errors
// are left out of the records.
class PaperParser
{
public:
    static constexpr int MinQuestionLength = 11;
    static constexpr int MaxQuestionLength = 80;
    static constexpr int MaxExplanationLength = 89;
    static constexpr int PartCount = 6;
    static constexpr int MaxItemNo = 8;

    static ParsedPaper parse(const Paper &paper, const QByteArray &content);
    static QString headerLine();
};

} // namespace kivola

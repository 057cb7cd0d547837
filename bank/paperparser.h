#pragma once

#include "bank/contenterror.h"
#include "bank/paper.h"
#include "bank/questionrecord.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringView>

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

    // Whether the parsed records may point into the text instead of copying it: only for text
    // that outlives every record, such as the paper data compiled into the program.
    enum class Storage
    {
        Copied,
        Borrowed
    };

    // Reads a paper file as stored in the source tree: UTF-8.
    static ParsedPaper parse(const Paper &paper, const QByteArray &content);
    // Question texts already read, each with the file it came from: no text may appear twice
    // in the whole bank.
    using SeenTexts = QHash<QString, QString>;

    // Reads a paper already decoded, as the program carries it compiled in, checking its texts
    // against those of the papers read before it.
    static ParsedPaper parseText(
        const Paper &paper, QStringView text, Storage storage, SeenTexts &seenTexts);
    static QString headerLine();
};

} // namespace kivola

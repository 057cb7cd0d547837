// A damaged paper file must be reported, never crash the checker, and every fault must point
// at the file and a line that exists.
#include "bank/paperparser.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const kivola::Paper &paper = kivola::Papers[data[0] % kivola::Papers.size()];
    const QByteArray content(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const kivola::ParsedPaper parsed = kivola::PaperParser::parse(paper, content);

    const qsizetype lineCount = content.count('\n') + 1;
    for (const kivola::ContentError &error : parsed.errors) {
        if (error.file != QString::fromUtf8(paper.fileName) || error.line < 0
            || error.line > lineCount || error.toString().isEmpty())
            std::abort();
    }
    if (parsed.records.size() >= lineCount)
        std::abort();
    for (const kivola::QuestionRecord &record : parsed.records) {
        if (record.year != QString::fromUtf8(paper.year) || record.questionText.isEmpty())
            std::abort();
    }
    return 0;
}

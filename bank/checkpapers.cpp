// Build step: refuses to build the program from paper files that break the bank's rules, and
// names every fault by file, line and field.
#include "questionbank.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: kivola-checkpapers PAPERS_DIR [STAMP_FILE]\n";
        return 2;
    }
    const kivola::BankBuild build = kivola::BankLoader(args.at(1)).build();
    QTextStream err(stderr);
    for (const kivola::ContentError &error : build.errors)
        err << error.toString() << '\n';
    if (!build.errors.isEmpty())
        return 1;
    if (!build.missingPapers.isEmpty())
        err << "note: papers not written yet: " << build.missingPapers.join(QLatin1String(", "))
            << "; the bank holds " << build.bank.questionCount() << " of "
            << kivola::QuestionBank::QuestionCount << " questions\n";
    if (args.size() > 2) {
        QFile stamp(args.at(2));
        if (!stamp.open(QIODevice::WriteOnly))
            return 1;
    }
    return 0;
}

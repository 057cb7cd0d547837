// Build step: refuses to build the program from paper files that break the bank's rules,
// naming every fault by file, line and field, and writes the compiled form of every paper
// that passes.
#include "bank/questionbank.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: kivola-checkpapers PAPERS_DIR [COMPILED_DIR]\n";
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
    if (args.size() < 3)
        return 0;
    const QDir out(args.at(2));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    for (const kivola::Paper &paper : kivola::Papers) {
        QFile source(QDir(args.at(1)).filePath(QString::fromUtf8(paper.fileName)));
        if (!source.open(QIODevice::ReadOnly))
            continue;
        QSaveFile compiled(out.filePath(kivola::BankLoader::compiledName(paper)));
        if (!compiled.open(QIODevice::WriteOnly)
            || compiled.write(kivola::BankLoader::compile(source.readAll())) < 0
            || !compiled.commit()) {
            err << "cannot write " << compiled.fileName() << '\n';
            return 1;
        }
    }
    return 0;
}

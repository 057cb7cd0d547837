// Build step: refuses to build the program from paper files that break the bank's rules,
// naming every fault by file, line and field, and writes the compiled form of every paper
// that passes. With --study-layer it does the same for the study layer, checked against the
// papers it comments on.
#include "bank/questionbank.h"
#include "bank/studylayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

const QString LayerOption = QStringLiteral("--study-layer");

void printErrors(const QList<kivola::ContentError> &errors)
{
    QTextStream err(stderr);
    for (const kivola::ContentError &error : errors)
        err << error.toString() << '\n';
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) >= 0 && file.commit())
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

// The layer goes into the program as checked, in UTF-8: it is read once a window needs it,
// not at every test start.
int checkLayer(const QString &layerDir, const QString &papersDir, const QString &outDir)
{
    const kivola::BankBuild bank = kivola::BankLoader(papersDir).build();
    const kivola::StudyLayerBuild build = kivola::StudyLayerLoader(layerDir, bank.bank).build();
    printErrors(build.errors);
    if (!build.errors.isEmpty())
        return 1;
    if (!build.missingFiles.isEmpty())
        QTextStream(stderr) << "note: study layer files not written yet: "
                            << build.missingFiles.join(QLatin1String(", ")) << "; the layer holds "
                            << build.layer.noteCount() << " notes\n";
    if (outDir.isEmpty())
        return 0;
    const QDir out(outDir);
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    for (const kivola::Paper &paper : kivola::Papers) {
        const QString name = QString::fromUtf8(paper.fileName);
        QFile source(QDir(layerDir).filePath(name));
        if (source.open(QIODevice::ReadOnly) && !writeFile(out.filePath(name), source.readAll()))
            return 1;
    }
    return 0;
}

int checkPapers(const QString &papersDir, const QString &outDir)
{
    const kivola::BankBuild build = kivola::BankLoader(papersDir).build();
    printErrors(build.errors);
    if (!build.errors.isEmpty())
        return 1;
    if (!build.missingPapers.isEmpty())
        QTextStream(stderr) << "note: papers not written yet: "
                            << build.missingPapers.join(QLatin1String(", ")) << "; the bank holds "
                            << build.bank.questionCount() << " of "
                            << kivola::QuestionBank::QuestionCount << " questions\n";
    if (outDir.isEmpty())
        return 0;
    const QDir out(outDir);
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    for (const kivola::Paper &paper : kivola::Papers) {
        QFile source(QDir(papersDir).filePath(QString::fromUtf8(paper.fileName)));
        if (source.open(QIODevice::ReadOnly)
            && !writeFile(out.filePath(kivola::BankLoader::compiledName(paper)),
                kivola::BankLoader::compile(source.readAll())))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == LayerOption)
        return checkLayer(args.at(2), args.at(3), args.value(4));
    if (args.size() < 2 || args.at(1).startsWith(QLatin1String("--"))) {
        QTextStream(stderr) << "usage: kivola-checkpapers PAPERS_DIR [COMPILED_DIR]\n"
                            << "       kivola-checkpapers " << LayerOption
                            << " LAYER_DIR PAPERS_DIR [CHECKED_DIR]\n";
        return 2;
    }
    return checkPapers(args.at(1), args.value(2));
}

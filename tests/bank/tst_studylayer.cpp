#include "bank/compiledpapers.h"
#include "bank/studylayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace kivola;

class TestStudyLayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void compiledLayerMatchesSources();
    void everyPeriodHasStatements();
    void missingFileLeavesLayerUnusable();

private:
    QuestionBank m_bank;
};

void TestStudyLayer::initTestCase()
{
    const BankBuild bank = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(bank.isUsable());
    m_bank = bank.bank;
}

void TestStudyLayer::compiledLayerMatchesSources()
{
    const StudyLayerBuild compiled
        = StudyLayerLoader(compiledStudyLayerDirectory(), m_bank).build();
    const StudyLayerBuild sources
        = StudyLayerLoader(QStringLiteral(KIVOLA_STUDY_LAYER_DIR), m_bank).build();
    QVERIFY2(compiled.errors.isEmpty(), qPrintable(compiled.errors.value(0).toString()));
    QVERIFY(compiled.isUsable());
    QCOMPARE(compiled.layer.noteCount(), QuestionBank::QuestionCount);
    for (int id = 1; id <= QuestionBank::QuestionCount; ++id)
        QCOMPARE(compiled.layer.note(id), sources.layer.note(id));
}

void TestStudyLayer::everyPeriodHasStatements()
{
    const StudyLayer layer = StudyLayerLoader(compiledStudyLayerDirectory(), m_bank).build().layer;
    std::array<int, PeriodCount> perPeriod {};
    std::array<int, ThemeCount> perTheme {};
    for (int id = 1; id <= QuestionBank::QuestionCount; ++id) {
        const StudyNote &note = layer.note(id);
        ++perPeriod[std::size_t(note.period)];
        for (int theme = 0; theme < ThemeCount; ++theme)
            perTheme[std::size_t(theme)] += note.themes.testFlag(AllThemes[theme]) ? 1 : 0;
    }
    for (int period = 0; period < PeriodCount; ++period)
        QVERIFY2(perPeriod[std::size_t(period)] > 0, qPrintable(periodLabel(Period(period))));
    for (int theme = 0; theme < ThemeCount; ++theme)
        QVERIFY2(perTheme[std::size_t(theme)] > 0, qPrintable(themeLabel(AllThemes[theme])));
}

void TestStudyLayer::missingFileLeavesLayerUnusable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const Paper &paper : Papers) {
        if (&paper != &Papers[2])
            QVERIFY(QFile::copy(
                QStringLiteral(KIVOLA_STUDY_LAYER_DIR "/") + QString::fromUtf8(paper.fileName),
                dir.filePath(QString::fromUtf8(paper.fileName))));
    }
    const StudyLayerBuild build = StudyLayerLoader(dir.path(), m_bank).build();
    QVERIFY(build.errors.isEmpty());
    QCOMPARE(build.missingFiles, QStringList {QStringLiteral("2002-main.tsv")});
    QCOMPARE(build.layer.noteCount(), QuestionBank::QuestionCount - Papers[2].questionCount);
    QVERIFY(!build.isUsable());
    // The papers after the missing one keep their own ids.
    QVERIFY(build.layer.contains(QuestionBank::QuestionCount));
    QVERIFY(!build.layer.contains(204));
}

QTEST_GUILESS_MAIN(TestStudyLayer)
#include "tst_studylayer.moc"

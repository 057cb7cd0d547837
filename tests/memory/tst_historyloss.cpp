#include "memory/fsrs.h"
#include "memory/historyloss.h"
#include "memory/memoryfit.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace kivola;

Q_DECLARE_METATYPE(kivola::GuessModel)

namespace {

// Each day, answers to random statements (half as many as there are, some twice) from a student
// whose memory grows more slowly and fades faster than the defaults expect.
QList<Review> madeUpHistory(int statements, int days, quint32 seed)
{
    FsrsParameters truth = DefaultFsrsParameters;
    truth[20] = 0.4;
    truth[8] = 1.2;
    const Fsrs fsrs(truth);
    QRandomGenerator random(seed);
    QList<MemoryState> states(statements);
    QList<qint64> last(statements, -1);
    QList<Review> reviews;
    for (qint64 day = 0; day < days; ++day) {
        for (int k = 0; k < statements / 2; ++k) {
            const int id = random.bounded(statements);
            const double recall
                = last[id] < 0 ? 0.3 : fsrs.retrievability(day - last[id], states[id].stability);
            const bool known = random.generateDouble() < recall;
            const bool right = known || random.generateDouble() < 0.5;
            const Grade grade = known ? Grade::Good : Grade::Again;
            states[id] = last[id] < 0 ? fsrs.firstReview(grade)
                                      : fsrs.nextState(states[id], int(day - last[id]), grade);
            last[id] = day;
            reviews.append({id, day, right, 0.5});
        }
    }
    return reviews;
}

} // namespace

class TestHistoryLoss : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scoring_data();
    void scoring();
    void gradient_data();
    void gradient();
    void shortHistoryKeepsDefaults();
    void fitBeatsDefaults();
};

void TestHistoryLoss::scoring_data()
{
    QTest::addColumn<GuessModel>("model");
    QTest::addColumn<double>("guessChance");
    QTest::newRow("plain ignores the guess") << GuessModel::Plain << 0.0;
    QTest::newRow("guess-aware") << GuessModel::GuessAware << 0.5;
}

// Statement 7 right on day 10, wrong on day 12; statement 3 between them, twice on one day.
// Only the wrong answer to 7 and the first answer on day 12 to 3 can be predicted.
void TestHistoryLoss::scoring()
{
    QFETCH(GuessModel, model);
    QFETCH(double, guessChance);
    const QList<Review> reviews = {{7, 10, true, 0.5}, {3, 11, false, 0.5}, {3, 11, true, 0.5},
        {3, 12, true, 0.5}, {7, 12, false, 0.5}};
    const HistoryLoss loss(reviews, model);
    QCOMPARE(loss.scoredAnswers(), 2);

    const Fsrs fsrs;
    const MemoryState seven = fsrs.firstReview(Grade::Good);
    const MemoryState three = fsrs.nextState(fsrs.firstReview(Grade::Again), 0, Grade::Good);
    const double wrongSeven
        = -std::log(1 - ChanceRight(fsrs.retrievability(2, seven.stability), guessChance));
    const double rightThree
        = -std::log(ChanceRight(fsrs.retrievability(1, three.stability), guessChance));
    QCOMPARE(loss(DefaultFsrsParameters, nullptr), wrongSeven + rightThree);
}

void TestHistoryLoss::gradient_data()
{
    QTest::addColumn<GuessModel>("model");
    QTest::addColumn<QList<double>>("parameters");
    const QList<double> defaults(DefaultFsrsParameters.begin(), DefaultFsrsParameters.end());
    QList<double> midway = defaults;
    for (int i = 0; i < FsrsParameterCount; ++i)
        midway[i]
            = (defaults[i] + (FsrsParameterRanges[i].low + FsrsParameterRanges[i].high) / 2) / 2;
    // A lapse may never leave more than S / e^(w17 w18): with these, most lapses hit that cap.
    QList<double> capped = defaults;
    capped[17] = capped[18] = 1.5;
    QTest::newRow("plain, defaults") << GuessModel::Plain << defaults;
    QTest::newRow("guess-aware, defaults") << GuessModel::GuessAware << defaults;
    QTest::newRow("guess-aware, halfway to mid-range") << GuessModel::GuessAware << midway;
    QTest::newRow("plain, lapses capped") << GuessModel::Plain << capped;
}

// Every parameter's slope against central differences.
void TestHistoryLoss::gradient()
{
    QFETCH(GuessModel, model);
    QFETCH(QList<double>, parameters);
    FsrsParameters w;
    std::copy(parameters.begin(), parameters.end(), w.begin());
    const HistoryLoss loss(madeUpHistory(40, 80, 5), model);
    FsrsParameters slope {};
    loss(w, &slope);
    for (int i = 0; i < FsrsParameterCount; ++i) {
        const double h = 1e-6 * std::max(1.0, w[i]);
        FsrsParameters up = w;
        FsrsParameters down = w;
        up[i] += h;
        down[i] -= h;
        const double numeric = (loss(up, nullptr) - loss(down, nullptr)) / (2 * h);
        QVERIFY2(std::abs(slope[i] - numeric) <= 1e-4 * std::max(1.0, std::abs(numeric)),
            qPrintable(
                QStringLiteral("w%1: %2, numerically %3").arg(i).arg(slope[i]).arg(numeric)));
    }
}

void TestHistoryLoss::shortHistoryKeepsDefaults()
{
    const MemoryFit fit = FitMemoryModel(madeUpHistory(40, 4, 1), GuessModel::GuessAware);
    QVERIFY(fit.scoredAnswers > 0 && fit.scoredAnswers < MinimumScoredAnswersForFit);
    QVERIFY(!fit.fitted);
    QCOMPARE(fit.parameters, DefaultFsrsParameters);
    QCOMPARE(fit.logLoss, fit.defaultLogLoss);
}

void TestHistoryLoss::fitBeatsDefaults()
{
    const QList<Review> reviews = madeUpHistory(200, 120, 2);
    const MemoryFit fit = FitMemoryModel(reviews, GuessModel::GuessAware);
    QVERIFY(fit.fitted);
    QVERIFY(fit.logLoss < fit.defaultLogLoss - 0.005);
    QCOMPARE(MeanLogLoss(reviews, fit.parameters, GuessModel::GuessAware), fit.logLoss);
    for (int i = 0; i < FsrsParameterCount; ++i) {
        QVERIFY(fit.parameters[i] >= FsrsParameterRanges[i].low);
        QVERIFY(fit.parameters[i] <= FsrsParameterRanges[i].high);
    }
    // The gain must carry over to answers the fit has not seen, from the same student.
    const QList<Review> later = madeUpHistory(200, 120, 3);
    QVERIFY(MeanLogLoss(later, fit.parameters, GuessModel::GuessAware)
        < MeanLogLoss(later, DefaultFsrsParameters, GuessModel::GuessAware) - 0.005);
}

QTEST_APPLESS_MAIN(TestHistoryLoss)
#include "tst_historyloss.moc"

#include "ui/testrun/frmresult.h"

#include "bank/banktext.h"
#include "bank/grading.h"
#include "scores/scoresummary.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/testrun/frmreview.h"
#include "ui/testrun/frmscore.h"

#include <QLineEdit>
#include <QPushButton>

namespace kivola {

namespace {

constexpr int FirstRowTop = 2280;
constexpr int RowPitch = 480;

int rowTop(int row)
{
    return FirstRowTop + RowPitch * row;
}

} // namespace

FrmResult::FrmResult(const Quiz &quiz, ScoreStore &store, QWidget *owner)
    : ModalWindow(owner, "frmResult", QStringLiteral("Torenza　Kivola　- 採点結果 -"), {5925, 5820},
        Frame::Sizable)
    , m_quiz(quiz)
    , m_store(store)
{
    using namespace kit;
    std::array<QPushButton *, QuestionsPerTest> btnReview {};
    for (int row = QuestionsPerTest - 1; row >= 0; --row) {
        btnReview[row] = addButton(this, indexedName("btnReview", row), QStringLiteral("見直し"),
            {4800, rowTop(row), 735, 375}, gothic(9.75), colors::Cream);
        btnReview[row]->setAccessibleName(QStringLiteral("第%1問 見直し").arg(row + 1));
        connect(btnReview[row], &QPushButton::clicked, this,
            [this, row] { OpenReview(m_quiz, row, this); });
    }
    const QFont bigButton = gothic(14.25, Weight::Bold);
    auto *command1 = addButton(this, QStringLiteral("Command1"), QStringLiteral("成績表"),
        {3240, 5040, 1095, 615}, bigButton, colors::Lavender);
    auto *btnOK = addButton(
        this, QStringLiteral("btnOK"), QStringLiteral("OK"), {1800, 5040, 1095, 615}, bigButton);
    m_txtScore = addDisplayBox(
        this, QStringLiteral("txtScore"), {3960, 240, 1695, 615}, gothic(24, Weight::Bold));
    m_txtScore->setAccessibleName(QStringLiteral("得点"));
    m_lblComment = addLabel(this, QStringLiteral("lblComment"), QString(), {360, 1200, 5175, 255},
        gothic(9.75), colors::Black, Sizing::Wraps);

    const QFont rowFont = gothic(12);
    for (int row = 0; row < QuestionsPerTest; ++row) {
        m_lblRight[row] = addLabel(this, indexedName("lblRight", row), QString(),
            {3960, rowTop(row), 480, 240}, rowFont, colors::White, Sizing::Fit, Qt::AlignRight);
        m_lblYours[row] = addLabel(this, indexedName("lblYours", row), QString(),
            {3000, rowTop(row), 480, 240}, rowFont, colors::White, Sizing::Fit, Qt::AlignRight);
        m_lblScore[row] = addLabel(this, indexedName("lblScore", row), QString(),
            {2160, rowTop(row), 360, 240}, rowFont, colors::White, Sizing::Fit, Qt::AlignRight);
        addLabel(this, indexedName("lblQno", row), QStringLiteral("第%1問").arg(row + 1),
            {960, rowTop(row), 600, 240}, rowFont, colors::White, Sizing::Fit);
    }
    const QFont header = gothic(15.75, Weight::Bold);
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("回答"), {2880, 1800, 660, 315}, header,
        colors::White, Sizing::Fit);
    addLabel(this, QStringLiteral("Label1"), QStringLiteral("正解"), {3840, 1800, 660, 315}, header,
        colors::White, Sizing::Fit);
    addLabel(this, QStringLiteral("Label9"), QStringLiteral("問題番号"), {360, 1800, 1320, 315},
        header, colors::White, Sizing::Fit);
    addLabel(this, QStringLiteral("Label10"), QStringLiteral("得点"), {1920, 1800, 660, 315},
        header, colors::White, Sizing::Fit);
    const QFont titleFont = gothic(18, Weight::Bold, Slant::Italic);
    m_title2a = addLabel(this, QStringLiteral("Title2a"), QString(), {645, 315, 2565, 360},
        titleFont, colors::Black, Sizing::Fit);
    addBoxLabel(this, QStringLiteral("lblVase"), {240, 1080, 5415, 495}, colors::Cream);
    m_title2b = addLabel(this, QStringLiteral("Title2b"), QString(),
        {645 + ShadowOffsetX, 315 + ShadowOffsetY, 2580, 360}, titleFont, colors::Shadow,
        Sizing::Fit);
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 3615, 735});
    addShape(this, QStringLiteral("Shape2"), {120, 1680, 5655, 3135},
        {ShapeStyle::Outline::RoundedRectangle, colors::Brown, windowTextColor(), 1});
    stackInListedOrder(this);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(command1, &QPushButton::clicked, this, &FrmResult::showScores);
    setTabOrder(btnOK, command1);
    setTabOrder(command1, btnReview[0]);
    for (int row = 1; row < QuestionsPerTest; ++row)
        setTabOrder(btnReview[row - 1], btnReview[row]);
    setTabOrder(btnReview[QuestionsPerTest - 1], m_txtScore);
    btnOK->setFocus();
    CenterOnScreen(this);
}

void FrmResult::showResult(const GradedTest &graded, const QString &title)
{
    for (int row = 0; row < QuestionsPerTest; ++row) {
        const GradedAnswer &answer = graded.answers[row];
        const QString points = QString::number(answer.points);
        m_lblScore[row]->setText(points);
        m_lblYours[row]->setText(AnswerMark(answer.given));
        m_lblRight[row]->setText(AnswerMark(answer.correct));
        // Each cell names its row and column, so the table reads row by row in any order.
        const QString question = QStringLiteral("第%1問 ").arg(row + 1);
        m_lblScore[row]->setAccessibleName(question + QStringLiteral("得点 ") + points);
        m_lblYours[row]->setAccessibleName(
            question + QStringLiteral("回答 ") + spokenAnswer(answer.given));
        m_lblRight[row]->setAccessibleName(
            question + QStringLiteral("正解 ") + spokenAnswer(answer.correct));
    }
    m_txtScore->setText(ScoreText(graded.score));
    m_lblComment->setText(CommentFor(graded.rank));
    m_title2a->setText(title);
    m_title2b->setText(title);
}

void FrmResult::showScores()
{
    const ScoreSummary summary = ReportText(m_store);
    auto *report = new FrmScore(this);
    report->showSummary(summary);
    kit::showModal(report);
}

} // namespace kivola

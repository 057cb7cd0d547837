#include "ui/testrun/frmreview.h"

#include "bank/banktext.h"
#include "quiz/quiz.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace kivola {

FrmReview::FrmReview(QWidget *owner)
    : ModalWindow(owner, "frmReview", QStringLiteral("Torenza　Kivola　- 見直し -"), {5910, 6090},
        Frame::Sizable)
{
    using namespace kit;
    auto *frame2 = addFrame(this, QStringLiteral("Frame2"), QStringLiteral("問題"),
        {240, 2400, 5415, 1215}, menuColor(), windowTextColor());
    m_lblQuestion = addLabel(frame2, QStringLiteral("lblQuestion"), QString(),
        {120, 240, 5175, 855}, gothic(9.75), windowTextColor(), Sizing::Wraps);
    m_txtAnswer = addDisplayBox(
        this, QStringLiteral("txtAnswer"), {2880, 1080, 855, 615}, gothic(24, Weight::Bold));
    m_txtAnswer->setAccessibleName(QStringLiteral("正解"));
    m_btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("採点結果に戻る"),
        {1440, 5280, 2895, 615}, gothic(14.25, Weight::Bold));
    auto *frameComment = addFrame(this, QStringLiteral("frameComment"), QStringLiteral("解説"),
        {240, 3840, 5415, 1215}, menuColor(), windowTextColor());
    m_lblComment = addLabel(frameComment, QStringLiteral("lblComment"), QString(),
        {120, 240, 5175, 855}, gothic(9.75), windowTextColor(), Sizing::Wraps);
    m_lblCite = addLabel(this, QStringLiteral("lblCite"), QString(), {840, 1920, 4215, 255},
        gothic(12, Weight::Bold), readableOnWindow(colors::Red), Sizing::Fixed, Qt::AlignHCenter);
    const QFont titleFont = gothic(18, Weight::Bold, Slant::Italic);
    m_title2a = addLabel(this, QStringLiteral("Title2a"), QString(), {1845, 390, 2100, 360},
        titleFont, colors::Black, Sizing::Fit);
    m_title2b = addLabel(this, QStringLiteral("Title2b"), QString(),
        {1845 + ShadowOffsetX, 390 + ShadowOffsetY, 2100, 360}, titleFont, colors::Shadow,
        Sizing::Fit);
    addLabel(this, QStringLiteral("Label9"), QStringLiteral("正解："), {1800, 1200, 945, 360},
        gothic(18, Weight::Bold), windowTextColor(), Sizing::Fit);
    addTitlePanel(this, QStringLiteral("Shape1"), {1080, 240, 3615, 735});
    stackInListedOrder(this);
    stackInListedOrder(frame2);
    stackInListedOrder(frameComment);

    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(m_btnOK, m_txtAnswer);
    m_btnOK->setFocus();
    CenterOnScreen(this);
}

void FrmReview::showQuestion(const Quiz &quiz, int row)
{
    fill(quiz.questionOfSlot(row + 1), QStringLiteral("第%1問 見直し").arg(row + 1));
}

void FrmReview::showStatement(
    const QuestionRecord &record, const QString &heading, const QString &backText)
{
    fill(record, heading);
    m_btnOK->setText(backText);
}

void FrmReview::fill(const QuestionRecord &record, const QString &heading)
{
    m_txtAnswer->setText(AnswerMark(codeOf(record.answerCode)));
    m_lblQuestion->setText(record.questionText);
    m_lblComment->setText(ExplanationText(record));
    m_lblCite->setText(CitationText(record));
    m_title2a->setText(heading);
    m_title2b->setText(heading);
}

void OpenReview(const Quiz &quiz, int row, QWidget *resultWindow)
{
    auto *review = new FrmReview(resultWindow);
    review->showQuestion(quiz, row);
    kit::showModal(review);
}

} // namespace kivola

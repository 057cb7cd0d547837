#include "frmquestion.h"

#include "centeronscreen.h"
#include "controls.h"
#include "gothicfont.h"
#include "testsession.h"

#include <QPushButton>

namespace kivola {

FrmQuestion::FrmQuestion(TestSession &session)
    : ModalWindow(nullptr, "frmQuestion", QStringLiteral("Torenza　Kivola　- 問題 -"), {4605, 3345},
        Frame::Sizable)
    , m_session(session)
{
    using namespace kit;
    m_btnYesNo[AnswerFalse] = addButton(this, indexedName("btnYesNo", AnswerFalse),
        QStringLiteral("×"), {2520, 2040, 1335, 1095}, gothic(48), colors::Lavender);
    m_btnYesNo[AnswerTrue] = addButton(this, indexedName("btnYesNo", AnswerTrue),
        QStringLiteral("○"), {720, 2040, 1335, 1095}, gothic(36, Weight::Bold), colors::Pink);
    for (AnswerCode code : {AnswerTrue, AnswerFalse})
        m_btnYesNo[code]->setAccessibleName(spokenAnswer(code));
    auto *lblQuestion = addLabel(this, QStringLiteral("lblQuestion"), QString(),
        {360, 840, 3855, 855}, gothic(9.75), windowTextColor(), Sizing::Wraps);
    const QFont titleFont = gothic(18, Weight::Bold, Slant::Italic);
    auto *title1a = addLabel(this, QStringLiteral("Title1a"), QString(), {1200, 120, 2250, 360},
        titleFont, colors::Black, Sizing::Fit, Qt::AlignHCenter);
    addBoxLabel(this, QStringLiteral("lblQuestionCase"), {240, 720, 4095, 1095}, colors::Cream);
    auto *title1b = addLabel(this, QStringLiteral("Title1b"), QString(),
        {1200 + ShadowOffsetX, 120 + ShadowOffsetY, 2250, 360}, titleFont, colors::Shadow,
        Sizing::Fit, Qt::AlignHCenter);
    stackInListedOrder(this);

    for (AnswerCode code : {AnswerTrue, AnswerFalse})
        connect(m_btnYesNo[code], &QPushButton::clicked, this, [this, code] { answer(code); });
    setTabOrder(m_btnYesNo[AnswerTrue], m_btnYesNo[AnswerFalse]);
    m_btnYesNo[AnswerTrue]->setFocus();

    lblQuestion->setText(m_session.quiz().currentQuestion().questionText);
    CenterOnScreen(this);
    const QString heading = QStringLiteral("第%1問").arg(m_session.quiz().run().currentNo);
    title1a->setText(heading);
    title1b->setText(heading);
}

void FrmQuestion::answer(int code)
{
    m_session.answer(AnswerCode(code));
    accept();
}

} // namespace kivola

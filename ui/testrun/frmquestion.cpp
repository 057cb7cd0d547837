#include "ui/testrun/frmquestion.h"

#include "bank/banktext.h"
#include "session/testsession.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QKeyEvent>
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
    const QString trueKeys = QStringLiteral("キー：O または 1");
    const QString falseKeys = QStringLiteral("キー：X または 2");
    m_btnYesNo[AnswerTrue]->setToolTip(QStringLiteral("正しい（") + trueKeys + u'）');
    m_btnYesNo[AnswerTrue]->setAccessibleDescription(trueKeys);
    m_btnYesNo[AnswerFalse]->setToolTip(QStringLiteral("誤り（") + falseKeys + u'）');
    m_btnYesNo[AnswerFalse]->setAccessibleDescription(falseKeys);
    auto *lblQuestion = addLabel(this, QStringLiteral("lblQuestion"), QString(),
        {360, 840, 3855, 855}, gothic(9.75), colors::Black, Sizing::Wraps);
    const QFont titleFont = gothic(18, Weight::Bold, Slant::Italic);
    auto *title1a = addLabel(this, QStringLiteral("Title1a"), QString(), {1200, 120, 2250, 360},
        titleFont, windowTextColor(), Sizing::Fit, Qt::AlignHCenter);
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

namespace {

// The answer a key stands for, or 0. Keys are matched by what they are and by the text they
// type, so full-width letters and digits from a Japanese input method count too.
AnswerCode answerForKey(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_O:
    case Qt::Key_1:
        return AnswerTrue;
    case Qt::Key_X:
    case Qt::Key_2:
        return AnswerFalse;
    default:
        break;
    }
    static const QString trueTexts = QStringLiteral("ｏＯ１○");
    static const QString falseTexts = QStringLiteral("ｘＸ２×");
    const QString text = event.text();
    if (text.size() != 1)
        return 0;
    if (trueTexts.contains(text))
        return AnswerTrue;
    if (falseTexts.contains(text))
        return AnswerFalse;
    return 0;
}

} // namespace

void FrmQuestion::keyPressEvent(QKeyEvent *event)
{
    const bool plain
        = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const AnswerCode code = plain && !event->isAutoRepeat() ? answerForKey(*event) : 0;
    if (code == 0) {
        ModalWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    m_btnYesNo[code]->click();
}

void FrmQuestion::answer(int code)
{
    m_session.answer(AnswerCode(code));
    accept();
}

} // namespace kivola

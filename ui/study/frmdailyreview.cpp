#include "ui/study/frmdailyreview.h"

#include "bank/banktext.h"
#include "session/dailyreview.h"
#include "session/memoryfitter.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/laidlabel.h"
#include "ui/study/reviewtext.h"
#include "ui/testrun/recordmessages.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace kivola {

namespace {

using kit::px;

constexpr int SideMargin = 240;
constexpr int TopMargin = 900;
constexpr int BottomMargin = 165;
constexpr int Gap = 120;
constexpr int BoxPadding = 180;
constexpr int ButtonGap = 240;
constexpr int MarkButtonWidth = 1335;
constexpr int MarkButtonHeight = 720;
constexpr int ButtonWidth = 2040;
constexpr int ButtonHeight = 495;
// Wrapped text makes the layout's own minimum depend on the width, and Qt would widen the window
// to fit the tallest statement at its narrowest; a minimum of our own keeps the window as sized.
constexpr int MinimumWidth = 6600;
constexpr int MinimumHeight = 5400;
// Text on the cream box is read at arm's length, the statement above all.
constexpr qreal StatementPoints = 15.75;
constexpr qreal VerdictPoints = 14.25;
constexpr qreal TextPoints = 10.5;
constexpr qreal NotePoints = 9.75;
// Deeper than the layouts' pure red and blue, so that the verdict reads on the cream box.
const QColor RightColour(0xC0, 0x00, 0x00);
const QColor WrongColour(0x00, 0x00, 0xC0);

// The answer a key stands for, half or full width, as the question window takes them.
std::optional<ReviewGiven> givenForKey(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_O:
    case Qt::Key_1:
        return ReviewGiven::True;
    case Qt::Key_X:
    case Qt::Key_2:
        return ReviewGiven::False;
    case Qt::Key_Space:
        return ReviewGiven::DontKnow;
    default:
        break;
    }
    static const QString trueTexts = QStringLiteral("ｏＯ１○");
    static const QString falseTexts = QStringLiteral("ｘＸ２×");
    static const QString dontKnowTexts = QStringLiteral("　");
    const QString text = event.text();
    if (text.size() != 1)
        return std::nullopt;
    if (trueTexts.contains(text))
        return ReviewGiven::True;
    if (falseTexts.contains(text))
        return ReviewGiven::False;
    if (dontKnowTexts.contains(text))
        return ReviewGiven::DontKnow;
    return std::nullopt;
}

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// A wrapping label whose text never widens the window: it wraps to the width it is given.
QLabel *addWrappingLabel(QWidget *parent, const QString &name, const QFont &font,
    const QColor &colour, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    QLabel *label = addLaidLabel(parent, name, QString(), font, colour);
    label->setAlignment(alignment);
    QSizePolicy policy = label->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    label->setSizePolicy(policy);
    return label;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QString leftText(const DailyReview &review)
{
    return QStringLiteral("残り：復習 %1問・新しい問題 %2問")
        .arg(review.dueLeft())
        .arg(review.newLeft());
}

} // namespace

FrmDailyReview::FrmDailyReview(const QuestionBank &bank, const StudyLayer &layer,
    std::unique_ptr<DailyReview> review, const QString &recordPath, MemoryFitter *fitter,
    QWidget *owner)
    : ModalWindow(owner, "frmDailyReview", QStringLiteral("Torenza　Kivola　- 今日の復習 -"),
        {9000, 7200}, Frame::Sizable, Escape::Closes)
    , m_bank(bank)
    , m_layer(layer)
    , m_review(std::move(review))
    , m_recordPath(recordPath)
{
    using namespace kit;
    m_lblProgress = addWrappingLabel(
        this, QStringLiteral("lblProgress"), gothic(TextPoints), windowTextColor());

    m_frameStatement = new QFrame(this);
    m_frameStatement->setObjectName(QStringLiteral("frameStatement"));
    m_frameStatement->setFrameShape(QFrame::Box);
    m_frameStatement->setAutoFillBackground(true);
    // The statement and its grading stand on the cream of the question window, in black
    // whatever the colour scheme.
    QPalette cream = m_frameStatement->palette();
    cream.setColor(QPalette::Window, colors::Cream);
    cream.setColor(QPalette::WindowText, colors::Black);
    m_frameStatement->setPalette(cream);
    m_lblKind = addWrappingLabel(m_frameStatement, QStringLiteral("lblKind"),
        gothic(NotePoints, Weight::Bold), colors::Brown);
    m_lblStatement = addWrappingLabel(
        m_frameStatement, QStringLiteral("lblStatement"), gothic(StatementPoints), colors::Black);
    m_lblVerdict = addWrappingLabel(m_frameStatement, QStringLiteral("lblVerdict"),
        gothic(VerdictPoints, Weight::Bold), colors::Black);
    m_lblAnswer = addWrappingLabel(m_frameStatement, QStringLiteral("lblAnswer"),
        gothic(TextPoints, Weight::Bold), colors::Black);
    m_lblExplanation = addWrappingLabel(
        m_frameStatement, QStringLiteral("lblExplanation"), gothic(TextPoints), colors::Black);
    m_lblCommentary = addWrappingLabel(
        m_frameStatement, QStringLiteral("lblCommentary"), gothic(TextPoints), colors::Black);
    m_lblCitation = addWrappingLabel(
        m_frameStatement, QStringLiteral("lblCitation"), gothic(NotePoints), colors::Brown);

    m_pageEnd = new QWidget(this);
    m_pageEnd->setObjectName(QStringLiteral("pageEnd"));
    m_lblEndHeading = addLaidLabel(m_pageEnd, QStringLiteral("lblEndHeading"), QString(),
        gothic(18, Weight::Bold), readableOnWindow(colors::Brown));
    m_lblEndHeading->setAlignment(Qt::AlignHCenter);
    m_lblEndText = addLaidLabel(
        m_pageEnd, QStringLiteral("lblEndText"), QString(), gothic(TextPoints), windowTextColor());
    m_lblEndText->setAlignment(Qt::AlignHCenter);

    const QFont bigButton = gothic(12, Weight::Bold);
    const Twips mark {0, 0, MarkButtonWidth, MarkButtonHeight};
    const Twips button {0, 0, ButtonWidth, ButtonHeight};
    m_btnTrue = addButton(this, QStringLiteral("btnTrue"), QStringLiteral("○"), mark,
        gothic(24, Weight::Bold), colors::Pink);
    m_btnFalse = addButton(this, QStringLiteral("btnFalse"), QStringLiteral("×"), mark,
        gothic(24, Weight::Bold), colors::Lavender);
    m_btnDontKnow = addButton(this, QStringLiteral("btnDontKnow"), QStringLiteral("わからない"),
        {0, 0, ButtonWidth, MarkButtonHeight}, bigButton, colors::Cream);
    m_btnNext = addButton(
        this, QStringLiteral("btnNext"), QStringLiteral("次へ"), button, bigButton, colors::Cream);
    m_btnMore = addButton(this, QStringLiteral("btnMore"), QStringLiteral("続けて復習"), button,
        bigButton, colors::Cream);
    m_btnClose
        = addButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"), button, bigButton);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("今日の復習"),
        {600, 270, 3600, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 4200, 600});
    stackInListedOrder(this);

    const QList<std::pair<QPushButton *, QString>> keys {
        {m_btnTrue, QStringLiteral("キー：O または 1")},
        {m_btnFalse, QStringLiteral("キー：X または 2")},
        {m_btnDontKnow, QStringLiteral("キー：スペース")},
        {m_btnNext, QStringLiteral("キー：Enter")}};
    for (const auto &[control, key] : keys) {
        control->setToolTip(key);
        control->setAccessibleDescription(key);
    }
    m_btnTrue->setAccessibleName(spokenAnswer(AnswerTrue));
    m_btnFalse->setAccessibleName(spokenAnswer(AnswerFalse));
    for (QPushButton *each :
        {m_btnTrue, m_btnFalse, m_btnDontKnow, m_btnNext, m_btnMore, m_btnClose}) {
        each->setFixedSize(each->size());
        each->setAutoDefault(false);
        each->installEventFilter(this);
    }

    auto *inBox = new QVBoxLayout(m_frameStatement);
    inBox->setContentsMargins(px(BoxPadding), px(BoxPadding), px(BoxPadding), px(BoxPadding));
    inBox->setSpacing(px(Gap));
    for (QLabel *label : {m_lblKind, m_lblStatement, m_lblVerdict, m_lblAnswer, m_lblExplanation,
             m_lblCommentary, m_lblCitation})
        inBox->addWidget(label);
    inBox->addStretch();
    auto *endColumn = new QVBoxLayout(m_pageEnd);
    endColumn->setContentsMargins(0, 0, 0, 0);
    endColumn->setSpacing(px(Gap));
    endColumn->addStretch();
    endColumn->addWidget(m_lblEndHeading);
    endColumn->addWidget(m_lblEndText);
    endColumn->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(px(ButtonGap));
    // As tall as the answer buttons whichever buttons show, so that the box never jumps.
    buttons->addStrut(px(MarkButtonHeight));
    buttons->addStretch();
    for (QPushButton *each :
        {m_btnTrue, m_btnFalse, m_btnDontKnow, m_btnNext, m_btnMore, m_btnClose})
        buttons->addWidget(each);
    buttons->addStretch();
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(px(SideMargin), px(TopMargin), px(SideMargin), px(BottomMargin));
    column->setSpacing(px(Gap));
    column->addWidget(m_lblProgress);
    column->addWidget(m_frameStatement, 1);
    column->addWidget(m_pageEnd, 1);
    column->addLayout(buttons);
    setMinimumSize(px(MinimumWidth), px(MinimumHeight));

    connect(m_btnTrue, &QPushButton::clicked, this, [this] { answer(ReviewGiven::True); });
    connect(m_btnFalse, &QPushButton::clicked, this, [this] { answer(ReviewGiven::False); });
    connect(m_btnDontKnow, &QPushButton::clicked, this, [this] { answer(ReviewGiven::DontKnow); });
    connect(m_btnNext, &QPushButton::clicked, this, &FrmDailyReview::next);
    connect(m_btnMore, &QPushButton::clicked, this, &FrmDailyReview::goOn);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);

    if (m_review->current())
        showStatement();
    else
        showDone(QStringLiteral("今日の復習はもう終わっています"));
    if (fitter)
        fitter->fitIfDue();
    CenterOnScreen(this);
}

FrmDailyReview::~FrmDailyReview() = default;

void FrmDailyReview::showStatement()
{
    const std::optional<int> id = m_review->current();
    if (!id) {
        showSummary();
        return;
    }
    const QuestionRecord &record = m_bank.record(*id);
    m_lblKind->setText(m_review->plan().statement(*id).seen ? QStringLiteral("復習")
                                                            : QStringLiteral("新しい問題"));
    m_lblStatement->setText(record.questionText);
    m_lblStatement->setAccessibleName(record.questionText);
    m_lblVerdict->clear();
    m_lblAnswer->setText(QStringLiteral("正解：%1　%2")
                             .arg(AnswerMark(codeOf(record.answerCode)),
                                 codeOf(record.answerCode) == AnswerTrue ? QStringLiteral("正しい")
                                                                         : QStringLiteral("誤り")));
    m_lblExplanation->setText(ExplanationText(record));
    m_lblCommentary->setText(m_layer.contains(*id)
            ? QStringLiteral("補足：") + m_layer.note(*id).commentary
            : QString());
    m_lblCitation->setText(CitationText(record));
    setStage(Stage::Answering);
    showProgress();
    m_btnTrue->setFocus();
}

void FrmDailyReview::answer(ReviewGiven given)
{
    if (m_stage != Stage::Answering)
        return;
    const ReviewOutcome outcome = m_review->answer(given);
    if (!outcome.recorded && m_review->takeFirstFailure())
        reportUnkeptReviewAnswer(m_recordPath, this);
    QString verdict;
    if (given == ReviewGiven::DontKnow) {
        ++m_tally.dontKnow;
        verdict = QStringLiteral("わからない");
    } else if (outcome.right) {
        ++m_tally.right;
        verdict = QStringLiteral("○ 正解");
    } else {
        ++m_tally.wrong;
        verdict = QStringLiteral("× 不正解");
    }
    m_lblVerdict->setText(verdict);
    m_lblVerdict->setAccessibleName(verdict);
    setTextColour(m_lblVerdict,
        outcome.right                        ? RightColour
            : given == ReviewGiven::DontKnow ? kit::colors::Brown
                                             : WrongColour);
    m_btnNext->setText(m_review->current() ? QStringLiteral("次へ") : QStringLiteral("結果を見る"));
    setStage(Stage::Answered);
    showProgress();
    m_btnNext->setFocus();
}

void FrmDailyReview::next()
{
    if (m_stage == Stage::Answered)
        showStatement();
}

void FrmDailyReview::goOn()
{
    if (m_stage != Stage::Summary)
        return;
    m_tally = {};
    if (m_review->goOn())
        showStatement();
    else
        showDone(QStringLiteral("今日の復習はこれで終わりです"));
}

void FrmDailyReview::showSummary()
{
    const int answered = m_tally.right + m_tally.wrong + m_tally.dontKnow;
    const bool anythingLeft = m_review->dueLeft() + m_review->newLeft() > 0;
    m_lblEndHeading->setText(QStringLiteral("%1問中 %2問正解").arg(answered).arg(m_tally.right));
    QString text = QStringLiteral("○ 正解 %1問・× 不正解 %2問・わからない %3問")
                       .arg(m_tally.right)
                       .arg(m_tally.wrong)
                       .arg(m_tally.dontKnow);
    if (anythingLeft) {
        text += u'\n' + leftText(*m_review);
    } else {
        text += QStringLiteral("\n今日の復習はこれで終わりです。おつかれさまでした！");
        const QString nextDue = nextDueText(m_review->plan());
        if (!nextDue.isEmpty())
            text += u'\n' + nextDue;
    }
    m_lblEndText->setText(text);
    m_lblEndHeading->setAccessibleName(m_lblEndHeading->text());
    m_lblEndText->setAccessibleName(text);
    setStage(anythingLeft ? Stage::Summary : Stage::Done);
    (anythingLeft ? m_btnMore : m_btnClose)->setFocus();
}

void FrmDailyReview::showDone(const QString &heading)
{
    m_lblEndHeading->setText(heading);
    QString text = QStringLiteral("今日の分の問題はもうありません。おつかれさまでした！");
    const QString nextDue = nextDueText(m_review->plan());
    if (!nextDue.isEmpty())
        text += u'\n' + nextDue;
    m_lblEndText->setText(text);
    m_lblEndHeading->setAccessibleName(heading);
    m_lblEndText->setAccessibleName(text);
    setStage(Stage::Done);
    m_btnClose->setFocus();
}

void FrmDailyReview::showProgress()
{
    const int size = int(m_review->batch().size());
    const int position = m_review->answeredInBatch() + (m_stage == Stage::Answering ? 1 : 0);
    const QString progress
        = QStringLiteral("%1／%2問　").arg(position).arg(size) + leftText(*m_review);
    m_lblProgress->setText(progress);
    m_lblProgress->setAccessibleName(progress);
}

void FrmDailyReview::setStage(Stage stage)
{
    m_stage = stage;
    const bool answering = stage == Stage::Answering;
    const bool end = stage == Stage::Summary || stage == Stage::Done;
    m_frameStatement->setVisible(!end);
    m_lblProgress->setVisible(!end);
    m_pageEnd->setVisible(end);
    for (QLabel *feedback : {m_lblVerdict, m_lblAnswer, m_lblExplanation, m_lblCitation})
        feedback->setVisible(stage == Stage::Answered);
    for (QLabel *text : {m_lblExplanation, m_lblCommentary})
        text->setVisible(stage == Stage::Answered && !text->text().isEmpty());
    for (QPushButton *each : {m_btnTrue, m_btnFalse, m_btnDontKnow})
        each->setVisible(answering);
    m_btnNext->setVisible(stage == Stage::Answered);
    m_btnMore->setVisible(stage == Stage::Summary);
    m_btnClose->setText(end ? QStringLiteral("終わる") : QStringLiteral("閉じる"));
}

bool FrmDailyReview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    return ModalWindow::eventFilter(watched, event);
}

void FrmDailyReview::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event))
        ModalWindow::keyPressEvent(event);
}

bool FrmDailyReview::handleKey(QKeyEvent *event)
{
    // A key held down must not answer one statement after another unread.
    if (event->isAutoRepeat() && (isEnter(event) || givenForKey(*event)))
        return true;
    if (isEnter(event) && m_btnClose->hasFocus()) {
        reject();
        return true;
    }
    switch (m_stage) {
    case Stage::Answering:
        if (const std::optional<ReviewGiven> given = givenForKey(*event)) {
            answer(*given);
            return true;
        }
        // Enter answers nothing: an answer is a choice.
        return isEnter(event);
    case Stage::Answered:
        if (isEnter(event)) {
            next();
            return true;
        }
        // Space would press the focused button, and an answer key would read as one given
        // to the next statement before it is shown.
        return givenForKey(*event).has_value();
    case Stage::Summary:
        if (isEnter(event)) {
            goOn();
            return true;
        }
        return event->key() == Qt::Key_Space;
    case Stage::Done:
        if (isEnter(event)) {
            reject();
            return true;
        }
        return event->key() == Qt::Key_Space;
    }
    return false;
}

} // namespace kivola

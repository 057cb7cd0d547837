#include "ui/study/frmitemdrill.h"

#include "quiz/itemtext.h"
#include "quiz/randomsource.h"
#include "session/drillsession.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/frmitemreview.h"
#include "ui/study/itempanel.h"
#include "ui/testrun/recordmessages.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kivola {

namespace {

using kit::px;

// The layout's margins and gaps in twips; the item takes whatever the window has beyond them.
constexpr int SideMargin = 240;
constexpr int TopMargin = 900;
constexpr int BottomMargin = 165;
constexpr int Gap = 120;
constexpr int ButtonGap = 240;
constexpr int VerdictHeight = 360;
constexpr int SummaryHeight = 480;
constexpr int ButtonWidth = 2040;
constexpr int ButtonHeight = 495;

QString roundHeading(int index, qsizetype count)
{
    return QStringLiteral("第%1問／%2").arg(index + 1).arg(count);
}

// A line of the summary: the item, whether it was right, what was chosen and what was right.
QString summaryLine(int index, const ExamItem &item, int chosen)
{
    const QString source = itemSource(item);
    const QString given = optionLabel(item, chosen);
    if (chosen == item.rightOption) {
        return QStringLiteral("第%1問　○ 正解　%2　（解答 %3）").arg(index + 1).arg(source, given);
    }
    return QStringLiteral("第%1問　× 不正解　%2　（解答 %3、正解 %4）")
        .arg(index + 1)
        .arg(source, given, optionLabel(item, item.rightOption));
}

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

FrmItemDrill::FrmItemDrill(const QuestionBank &bank, const StudyLayer &layer,
    QList<ExamItem> candidates, RandomSource &random, std::unique_ptr<DrillSession> session,
    QWidget *owner)
    : ModalWindow(owner, "frmItemDrill", QStringLiteral("Torenza　Kivola　- 本番形式で練習 -"),
        {12600, 11100}, Frame::Sizable, Escape::Closes)
    , m_bank(bank)
    , m_layer(layer)
    , m_candidates(std::move(candidates))
    , m_random(random)
    , m_session(std::move(session))
{
    using namespace kit;
    const QFont bigButton = gothic(12, Weight::Bold);
    m_pageItem = new QWidget(this);
    m_pageItem->setObjectName(QStringLiteral("pageItem"));
    // The item is laid out to be read whole; the scroll bars are for a window made too small.
    auto *scrItem = new QScrollArea(m_pageItem);
    scrItem->setObjectName(QStringLiteral("scrItem"));
    scrItem->setFrameShape(QFrame::NoFrame);
    scrItem->setWidgetResizable(true);
    m_panel = new ItemPanel(m_bank, m_layer, scrItem);
    scrItem->setWidget(m_panel);
    m_lblVerdict = addLabel(m_pageItem, QStringLiteral("lblVerdict"), QString(),
        {0, 0, 6000, VerdictHeight}, gothic(14.25, Weight::Bold), windowTextColor(), Sizing::Fixed);
    m_pageSummary = new QWidget(this);
    m_pageSummary->setObjectName(QStringLiteral("pageSummary"));
    m_lblSummary = addLabel(m_pageSummary, QStringLiteral("lblSummary"), QString(),
        {0, 0, 6000, SummaryHeight}, gothic(18, Weight::Bold), readableOnWindow(colors::Brown),
        Sizing::Fixed, Qt::AlignHCenter);
    m_lstSummary = new QListWidget(m_pageSummary);
    m_lstSummary->setObjectName(QStringLiteral("lstSummary"));
    m_lstSummary->setFont(gothic(9.75));
    m_lstSummary->setAccessibleName(QStringLiteral("解いた問題"));
    m_lstSummary->setAccessibleDescription(
        QStringLiteral("Enter かダブルクリックで、その問題を見直します"));

    const Twips button {0, 0, ButtonWidth, ButtonHeight};
    m_btnAnswer = addButton(this, QStringLiteral("btnAnswer"), QStringLiteral("解答する"), button,
        bigButton, colors::Cream);
    m_btnNext = addButton(this, QStringLiteral("btnNext"), QStringLiteral("次の問題へ"), button,
        bigButton, colors::Cream);
    m_btnMore = addButton(this, QStringLiteral("btnMore"), QStringLiteral("続けて5問"), button,
        bigButton, colors::Cream);
    m_btnClose
        = addButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"), button, bigButton);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("本番形式で練習"),
        {600, 270, 4200, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 4920, 600});
    stackInListedOrder(this);

    for (QPushButton *each : {m_btnAnswer, m_btnNext, m_btnMore, m_btnClose}) {
        each->setFixedSize(each->size());
        each->setAutoDefault(false);
    }
    m_lblVerdict->setFixedHeight(px(VerdictHeight));
    m_lblVerdict->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_lblSummary->setFixedHeight(px(SummaryHeight));
    m_lblSummary->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    auto *itemColumn = new QVBoxLayout(m_pageItem);
    itemColumn->setContentsMargins(0, 0, 0, 0);
    itemColumn->setSpacing(px(Gap));
    itemColumn->addWidget(scrItem, 1);
    itemColumn->addWidget(m_lblVerdict);
    auto *summaryColumn = new QVBoxLayout(m_pageSummary);
    summaryColumn->setContentsMargins(0, 0, 0, 0);
    summaryColumn->setSpacing(px(Gap));
    summaryColumn->addWidget(m_lblSummary);
    summaryColumn->addWidget(m_lstSummary, 1);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(px(ButtonGap));
    buttons->addStretch();
    for (QPushButton *each : {m_btnAnswer, m_btnNext, m_btnMore, m_btnClose})
        buttons->addWidget(each);
    buttons->addStretch();
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(px(SideMargin), px(TopMargin), px(SideMargin), px(BottomMargin));
    column->setSpacing(px(Gap));
    column->addWidget(m_pageItem, 1);
    column->addWidget(m_pageSummary, 1);
    column->addLayout(buttons);

    connect(m_panel, &ItemPanel::optionChosen, this, &FrmItemDrill::optionChosen);
    connect(m_btnAnswer, &QPushButton::clicked, this, &FrmItemDrill::submit);
    connect(m_btnNext, &QPushButton::clicked, this, &FrmItemDrill::next);
    connect(m_btnMore, &QPushButton::clicked, this, &FrmItemDrill::startRound);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lstSummary, &QListWidget::itemActivated, this,
        [this](QListWidgetItem *row) { reviewRow(m_lstSummary->row(row)); });
    m_lstSummary->installEventFilter(this);

    startRound();
    CenterOnScreen(this);
}

FrmItemDrill::~FrmItemDrill() = default;

void FrmItemDrill::startRound()
{
    QList<ExamItem> fresh;
    QList<ExamItem> seen;
    for (const ExamItem &item : std::as_const(m_candidates))
        (m_drawn.contains(item.firstBankId()) ? seen : fresh).append(item);
    m_round = drawItems(fresh, ItemsPerRound, m_random);
    if (m_round.size() < ItemsPerRound)
        m_round.append(drawItems(seen, ItemsPerRound - m_round.size(), m_random));
    for (const ExamItem &item : std::as_const(m_round))
        m_drawn.insert(item.firstBankId());
    m_chosen = QList<int>(m_round.size(), 0);
    m_current = 0;
    m_session->beginRound(m_round);
    showItem();
}

void FrmItemDrill::showItem()
{
    m_panel->showItem(m_round.at(m_current), roundHeading(m_current, m_round.size()));
    m_lblVerdict->setText(QString());
    m_lblVerdict->setAccessibleName(QString());
    setStage(Stage::Answering);
    watchKeys();
    // A button added to a shown layout shows itself only once the event loop runs again, and a
    // hidden button takes no focus.
    if (QAbstractButton *first = m_panel->optionButton(1)) {
        first->show();
        first->setFocus();
    }
}

void FrmItemDrill::optionChosen(int option)
{
    if (m_stage == Stage::Answering)
        m_btnAnswer->setEnabled(option > 0);
}

void FrmItemDrill::submit()
{
    const int chosen = m_panel->chosenOption();
    if (m_stage != Stage::Answering || chosen == 0)
        return;
    const ExamItem &item = m_round.at(m_current);
    m_chosen[m_current] = chosen;
    if (!m_session->answer(m_current, chosen) && m_session->takeFirstFailure())
        reportUnkeptDrillAnswer(m_session->recordPath(), this);
    m_panel->showFeedback(chosen);
    const bool right = chosen == item.rightOption;
    const QString verdict = (right ? QStringLiteral("○ 正解　") : QStringLiteral("× 不正解　"))
        + QStringLiteral("正解は %1").arg(optionLabel(item, item.rightOption));
    m_lblVerdict->setText(verdict);
    m_lblVerdict->setAccessibleName(verdict);
    QPalette palette = m_lblVerdict->palette();
    palette.setColor(
        QPalette::WindowText, kit::readableOnWindow(right ? kit::colors::Red : kit::colors::Blue));
    m_lblVerdict->setPalette(palette);
    m_btnNext->setText(m_current + 1 < m_round.size() ? QStringLiteral("次の問題へ")
                                                      : QStringLiteral("結果を見る"));
    setStage(Stage::Graded);
    m_btnNext->setFocus();
}

void FrmItemDrill::next()
{
    if (m_stage != Stage::Graded)
        return;
    if (++m_current < m_round.size())
        showItem();
    else
        showSummary();
}

void FrmItemDrill::showSummary()
{
    int right = 0;
    m_lstSummary->clear();
    for (qsizetype i = 0; i < m_round.size(); ++i) {
        right += m_chosen.at(i) == m_round.at(i).rightOption;
        m_lstSummary->addItem(summaryLine(int(i), m_round.at(i), m_chosen.at(i)));
    }
    const QString summary = QStringLiteral("%1問中%2問正解").arg(m_round.size()).arg(right);
    m_lblSummary->setText(summary);
    m_lblSummary->setAccessibleName(summary);
    m_lstSummary->setCurrentRow(0);
    setStage(Stage::Summary);
    m_btnMore->setFocus();
}

void FrmItemDrill::reviewRow(int row)
{
    if (row < 0 || row >= m_round.size())
        return;
    auto *review = new FrmItemReview(m_bank, m_layer, m_round.at(row), m_chosen.at(row),
        QStringLiteral("第%1問").arg(row + 1), this);
    kit::showModal(review);
}

void FrmItemDrill::setStage(Stage stage)
{
    m_stage = stage;
    const bool summary = stage == Stage::Summary;
    m_pageItem->setVisible(!summary);
    m_pageSummary->setVisible(summary);
    m_btnAnswer->setVisible(stage == Stage::Answering);
    m_btnAnswer->setEnabled(stage == Stage::Answering && m_panel->chosenOption() > 0);
    m_btnNext->setVisible(stage == Stage::Graded);
    m_btnMore->setVisible(summary);
    m_btnMore->setDefault(summary);
}

bool FrmItemDrill::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    return ModalWindow::eventFilter(watched, event);
}

void FrmItemDrill::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event))
        ModalWindow::keyPressEvent(event);
}

bool FrmItemDrill::handleKey(QKeyEvent *event)
{
    if (isEnter(event) && m_btnClose->hasFocus()) {
        reject();
        return true;
    }
    switch (m_stage) {
    case Stage::Answering:
        if (isEnter(event)) {
            // Enter before an option is chosen does nothing: it must not grade an empty answer.
            submit();
            return true;
        }
        return m_panel->chooseByKey(*event);
    case Stage::Graded:
        if (isEnter(event)) {
            next();
            return true;
        }
        return false;
    case Stage::Summary:
        if (isEnter(event) && m_lstSummary->hasFocus()) {
            reviewRow(m_lstSummary->currentRow());
            return true;
        }
        if (isEnter(event)) {
            startRound();
            return true;
        }
        return false;
    }
    return false;
}

void FrmItemDrill::watchKeys()
{
    // The panel makes its option buttons anew for each item; a filter installed twice acts once.
    for (QWidget *control : m_panel->findChildren<QWidget *>())
        control->installEventFilter(this);
    for (QPushButton *each : {m_btnAnswer, m_btnNext, m_btnMore, m_btnClose})
        each->installEventFilter(this);
}

} // namespace kivola

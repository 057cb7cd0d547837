#include "ui/study/frmmockpaper.h"

#include "quiz/itemtext.h"
#include "quiz/mockpapertext.h"
#include "session/mockpapersession.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/answersheet.h"
#include "ui/study/confirmation.h"
#include "ui/study/itempanel.h"
#include "ui/study/laidlabel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kivola {

namespace {

using kit::px;

constexpr int SideMargin = 240;
constexpr int TopMargin = 900;
constexpr int BottomMargin = 165;
constexpr int RowGap = 120;
constexpr int ButtonGap = 120;
constexpr int ButtonHeight = 495;
constexpr int NavigationWidth = 1200;
constexpr int WideButtonWidth = 1680;
constexpr qreal ButtonPoints = 10.5;
constexpr qreal ClockPoints = 15.75;
constexpr qreal NotePoints = 9.75;

enum Page
{
    ItemPage = 0,
    SheetPage = 1
};

QPushButton *addLaidButton(
    QWidget *parent, const char *name, const QString &text, int width, const QColor &colour)
{
    QPushButton *button = kit::addButton(parent, QString::fromLatin1(name), text,
        {0, 0, width, ButtonHeight}, kit::gothic(ButtonPoints, kit::Weight::Bold), colour);
    button->setFixedSize(button->size());
    return button;
}

} // namespace

FrmMockPaper::FrmMockPaper(const QuestionBank &bank, const StudyLayer &layer,
    std::unique_ptr<MockPaperSession> session, QWidget *owner)
    : ModalWindow(owner, "frmMockPaper", QStringLiteral("Torenza　Kivola　- 模擬試験 -"),
        {10200, 8700}, Frame::Sizable, Escape::Closes)
    , m_session(std::move(session))
    , m_panel(new ItemPanel(bank, layer, this))
    , m_pages(new QStackedWidget(this))
    , m_tblSheet(createAnswerSheet(this))
    , m_chkFlag(new QCheckBox(QStringLiteral("あとで見直す"), this))
{
    using namespace kit;
    const MockPaper &paper = m_session->paper();
    m_lblProgress = addLaidLabel(this, QStringLiteral("lblProgress"), QString(),
        gothic(ButtonPoints, Weight::Bold), windowTextColor());
    m_lblProgress->setWordWrap(false);
    m_lblClock = addLaidLabel(this, QStringLiteral("lblClock"), QString(),
        gothic(ClockPoints, Weight::Bold), readableOnWindow(colors::Brown));
    m_lblClock->setWordWrap(false);
    m_lblClock->setAccessibleName(
        paper.isTimed() ? QStringLiteral("残り時間") : QStringLiteral("経過時間"));
    m_lblNotice = addLaidLabel(this, QStringLiteral("lblNotice"), QString(), gothic(NotePoints),
        readableOnWindow(colors::Red));
    m_lblNotice->hide();
    addShadowedTitle(this, QStringLiteral("Title1"), PaperLabel(paper.paperIndex()),
        {480, 225, 4440, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 4920, 600});
    stackInListedOrder(this);

    m_chkFlag->setObjectName(QStringLiteral("chkFlag"));
    m_chkFlag->setFont(gothic(ButtonPoints));
    m_chkFlag->setToolTip(QStringLiteral("キー：F"));
    auto *itemPage = new QWidget(m_pages);
    auto *itemColumn = new QVBoxLayout(itemPage);
    itemColumn->setContentsMargins(0, 0, 0, 0);
    itemColumn->addWidget(m_panel, 1);
    itemColumn->addWidget(m_chkFlag);
    m_pages->addWidget(itemPage);
    m_pages->addWidget(m_tblSheet);

    m_btnPrevious = addLaidButton(
        this, "btnPrevious", QStringLiteral("前へ"), NavigationWidth, colors::Lavender);
    m_btnNext
        = addLaidButton(this, "btnNext", QStringLiteral("次へ"), NavigationWidth, colors::Lavender);
    m_btnSheet = addLaidButton(
        this, "btnSheet", QStringLiteral("解答用紙"), WideButtonWidth, colors::Cream);
    m_btnFinish = addLaidButton(
        this, "btnFinish", QStringLiteral("解答を終える"), WideButtonWidth, colors::Pink);
    auto *btnSuspend
        = addLaidButton(this, "btnSuspend", QStringLiteral("中断"), NavigationWidth, colors::Cream);
    btnSuspend->setToolTip(QStringLiteral("閉じても、この試験は次に続けられます"));
    m_btnPrevious->setToolTip(QStringLiteral("キー：← または PageUp"));
    m_btnNext->setToolTip(QStringLiteral("キー：→、PageDown または Enter"));
    m_btnNext->setDefault(true);

    auto *column = new QVBoxLayout(this);
    column->setSpacing(px(RowGap));
    column->setContentsMargins(px(SideMargin), px(TopMargin), px(SideMargin), px(BottomMargin));
    auto *top = new QHBoxLayout;
    top->addWidget(m_lblProgress);
    top->addStretch();
    top->addWidget(m_lblClock);
    column->addLayout(top);
    column->addWidget(m_pages, 1);
    column->addWidget(m_lblNotice);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(px(ButtonGap));
    for (QPushButton *button : {m_btnPrevious, m_btnNext})
        buttons->addWidget(button);
    buttons->addStretch();
    for (QPushButton *button : {m_btnSheet, m_btnFinish, btnSuspend})
        buttons->addWidget(button);
    column->addLayout(buttons);

    connect(m_panel, &ItemPanel::optionChosen, this, [this](int option) {
        m_session->choose(option);
        // A key leaves the focus on the answer it gave, as a click does.
        if (QAbstractButton *button = m_panel->optionButton(option))
            button->setFocus();
        fillSheet();
        updateClock();
        reportWriteFailure();
    });
    connect(m_chkFlag, &QCheckBox::toggled, this, [this](bool flagged) {
        m_session->setFlagged(flagged);
        fillSheet();
        updateClock();
        reportWriteFailure();
    });
    connect(m_btnPrevious, &QPushButton::clicked, this, [this] {
        if (m_session->goPrevious())
            showCurrentItem();
    });
    connect(m_btnNext, &QPushButton::clicked, this, [this] {
        if (m_session->goNext())
            showCurrentItem();
    });
    connect(m_btnSheet, &QPushButton::clicked, this,
        [this] { showSheet(m_pages->currentIndex() == ItemPage); });
    connect(m_btnFinish, &QPushButton::clicked, this, &FrmMockPaper::askToFinish);
    connect(btnSuspend, &QPushButton::clicked, this, &QDialog::reject);
    // Queued: the Enter that chose the row goes on to the window, and must find the sheet there
    // and not press 次へ on the item it leads to.
    connect(
        m_tblSheet, &QTableWidget::activated, this,
        [this](const QModelIndex &index) { jumpTo(index.row()); }, Qt::QueuedConnection);
    connect(m_tblSheet, &QTableWidget::clicked, this,
        [this](const QModelIndex &index) { jumpTo(index.row()); });

    // Shortcuts, so that the arrows move through the paper even from an option button.
    const auto clickOnItemPage = [this](QPushButton *button) {
        return [this, button] {
            if (m_pages->currentIndex() == ItemPage && button->isEnabled())
                button->click();
        };
    };
    for (QKeySequence key : {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)})
        connect(
            new QShortcut(key, this), &QShortcut::activated, this, clickOnItemPage(m_btnPrevious));
    for (QKeySequence key : {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, clickOnItemPage(m_btnNext));
    connect(new QShortcut(QKeySequence(Qt::Key_F), this), &QShortcut::activated, this, [this] {
        if (m_pages->currentIndex() == ItemPage)
            m_chkFlag->toggle();
    });

    if (paper.isTimed()) {
        m_timer = new QTimer(this);
        m_timer->setObjectName(QStringLiteral("tmrCountdown"));
        m_timer->setInterval(TickMs);
        connect(m_timer, &QTimer::timeout, this, &FrmMockPaper::tick);
    }
    fillSheet();
    showCurrentItem();
    updateClock();
    CenterOnScreen(this);
}

FrmMockPaper::~FrmMockPaper() = default;

const MockPaper &FrmMockPaper::paper() const
{
    return m_session->paper();
}

bool FrmMockPaper::timeRanOut() const
{
    return m_session->timeRanOut();
}

void FrmMockPaper::showEvent(QShowEvent *event)
{
    ModalWindow::showEvent(event);
    m_session->resumeClock();
    if (m_timer)
        m_timer->start();
}

void FrmMockPaper::hideEvent(QHideEvent *event)
{
    if (m_timer)
        m_timer->stop();
    m_session->pauseClock();
    ModalWindow::hideEvent(event);
}

void FrmMockPaper::keyPressEvent(QKeyEvent *event)
{
    if (m_pages->currentIndex() == ItemPage && m_panel->chooseByKey(*event))
        return;
    ModalWindow::keyPressEvent(event);
}

void FrmMockPaper::showCurrentItem()
{
    const MockPaper &paper = m_session->paper();
    const int index = paper.position();
    const ExamItem &item = paper.item(index);
    m_panel->showItem(item,
        QStringLiteral("問%1／%2　%3")
            .arg(index + 1)
            .arg(paper.itemCount())
            .arg(PartLabel(item.part)));
    m_panel->setChosenOption(paper.chosen(index));
    QAbstractButton *focused = m_panel->optionButton(std::max(paper.chosen(index), 1));
    for (int option = 1; option <= item.optionCount(); ++option) {
        // Enter goes on to the next item wherever the focus is among the options.
        if (auto *button = qobject_cast<QPushButton *>(m_panel->optionButton(option)))
            button->setAutoDefault(false);
    }
    {
        const QSignalBlocker quiet(m_chkFlag);
        m_chkFlag->setChecked(paper.isFlagged(index));
    }
    m_btnPrevious->setEnabled(index > 0);
    m_btnNext->setEnabled(index + 1 < paper.itemCount());
    QWidget *last = focused;
    for (QWidget *next : std::initializer_list<QWidget *> {
             m_chkFlag, m_btnPrevious, m_btnNext, m_btnSheet, m_btnFinish})
        setTabOrder(std::exchange(last, next), next);
    if (focused)
        focused->setFocus();
    updateClock();
}

void FrmMockPaper::showSheet(bool shown)
{
    m_pages->setCurrentIndex(shown ? SheetPage : ItemPage);
    m_btnSheet->setText(shown ? QStringLiteral("問題に戻る") : QStringLiteral("解答用紙"));
    if (!shown) {
        showCurrentItem();
        return;
    }
    m_btnPrevious->setEnabled(false);
    m_btnNext->setEnabled(false);
    m_tblSheet->setCurrentCell(m_session->paper().position(), 0);
    m_tblSheet->setFocus();
}

void FrmMockPaper::fillSheet()
{
    fillAnswerSheet(m_tblSheet, m_session->paper());
}

void FrmMockPaper::jumpTo(int index)
{
    m_session->setPosition(index);
    showSheet(false);
}

void FrmMockPaper::tick()
{
    if (m_session->tick()) {
        finish();
        return;
    }
    updateClock();
    reportWriteFailure();
}

void FrmMockPaper::updateClock()
{
    const MockPaper &paper = m_session->paper();
    // Without a countdown there is no timer: the time used moves on as the student works.
    if (!paper.isTimed())
        m_session->tick();
    m_lblClock->setText(paper.isTimed() ? QStringLiteral("残り ") + clockText(paper.secondsLeft())
                                        : QStringLiteral("経過 ") + clockText(paper.secondsUsed()));
    m_lblProgress->setText(
        QStringLiteral("解答済み %1／%2　あとで見直す %3")
            .arg(paper.itemCount() - paper.unansweredCount())
            .arg(paper.itemCount())
            .arg(std::count(paper.state().flagged.cbegin(), paper.state().flagged.cend(), true)));
}

void FrmMockPaper::askToFinish()
{
    const int unanswered = m_session->paper().unansweredCount();
    if (unanswered == 0) {
        finish();
        return;
    }
    m_askFinish = confirm("finishPaperQuestion",
        QStringLiteral("未解答が%1問あります。解答を終えますか？").arg(unanswered), this, this,
        [this] { finish(); });
}

void FrmMockPaper::finish()
{
    if (m_askFinish)
        m_askFinish->close();
    if (m_timer)
        m_timer->stop();
    m_session->finish();
    accept();
}

void FrmMockPaper::reportWriteFailure()
{
    if (!m_session->takeFirstWriteFailure())
        return;
    m_lblNotice->setText(QStringLiteral("学習記録に書き込めませんでした。この画面の解答は残って"
                                        "いますが、閉じると続きから始められないことがあります。"));
    m_lblNotice->show();
}

} // namespace kivola

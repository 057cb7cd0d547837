#include "ui/study/frmmockstart.h"

#include "bank/questionplace.h"
#include "quiz/mockpapertext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/confirmation.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kivola {

namespace {

using kit::px;

constexpr int SideMargin = 240;
constexpr int TopMargin = 900;
constexpr int BottomMargin = 240;
constexpr int RowGap = 180;
constexpr int FrameInset = 180;
constexpr int FrameTop = 330;
constexpr int FrameWidth = 5520;
constexpr int ButtonHeight = 495;
constexpr int ButtonWidth = 1575;
constexpr int ResumeWidth = 3600;
constexpr qreal ControlPoints = 9.75;
constexpr qreal ButtonPoints = 12;

QVBoxLayout *frameColumn(QGroupBox *frame)
{
    frame->setMinimumWidth(px(FrameWidth));
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(px(FrameInset), px(FrameTop), px(FrameInset), px(FrameInset));
    return column;
}

QPushButton *laidButton(
    QWidget *parent, const char *name, const QString &text, int width, const QColor *colour)
{
    const QFont font = kit::gothic(ButtonPoints, kit::Weight::Bold);
    const kit::Twips where {0, 0, width, ButtonHeight};
    QPushButton *button = colour
        ? kit::addButton(parent, QString::fromLatin1(name), text, where, font, *colour)
        : kit::addButton(parent, QString::fromLatin1(name), text, where, font);
    button->setMinimumSize(button->size());
    return button;
}

} // namespace

FrmMockStart::FrmMockStart(const std::array<int, Papers.size()> &itemCounts, int paperIndex,
    bool timed, const std::optional<PaperUnderWay> &underWay, QWidget *owner)
    : ModalWindow(owner, "frmMockStart", QStringLiteral("Torenza　Kivola　- 模擬試験 -"),
        {6000, 5400}, Frame::FixedDialog, Escape::Closes)
    , m_itemCounts(itemCounts)
{
    using namespace kit;
    m_frameResume = addFrame(this, QStringLiteral("frameResume"), QStringLiteral("解答の途中"),
        {0, 0, FrameWidth, 1200}, menuColor(), windowTextColor());
    m_lblUnderWay = new QLabel(m_frameResume);
    m_lblUnderWay->setObjectName(QStringLiteral("lblUnderWay"));
    m_lblUnderWay->setFont(gothic(ControlPoints));
    m_lblUnderWay->setWordWrap(true);
    m_btnResume = laidButton(m_frameResume, "btnResume", QString(), ResumeWidth, &colors::Cream);
    m_btnGiveUp
        = laidButton(m_frameResume, "btnGiveUp", QStringLiteral("やめる"), ButtonWidth, nullptr);
    QVBoxLayout *resumeColumn = frameColumn(m_frameResume);
    resumeColumn->addWidget(m_lblUnderWay);
    auto *resumeButtons = new QHBoxLayout;
    resumeButtons->addWidget(m_btnResume);
    resumeButtons->addWidget(m_btnGiveUp);
    resumeButtons->addStretch();
    resumeColumn->addLayout(resumeButtons);

    m_framePaper = addFrame(this, QStringLiteral("framePaper"), QStringLiteral("試験"),
        {0, 0, FrameWidth, 2400}, menuColor(), windowTextColor());
    QVBoxLayout *paperColumn = frameColumn(m_framePaper);
    for (int paper = 0; paper < int(Papers.size()); ++paper) {
        m_optPaper[paper] = new QRadioButton(m_framePaper);
        m_optPaper[paper]->setObjectName(indexedName("optPaper", paper));
        m_optPaper[paper]->setFont(gothic(ControlPoints));
        m_optPaper[paper]->setEnabled(itemCounts[paper] > 0);
        paperColumn->addWidget(m_optPaper[paper]);
    }
    m_chkTimed = new QCheckBox(QStringLiteral("時間を計る"), this);
    m_chkTimed->setObjectName(QStringLiteral("chkTimed"));
    m_chkTimed->setFont(gothic(ControlPoints));
    m_chkTimed->setToolTip(QStringLiteral("1問100秒、本番と同じ速さです"));
    m_btnStart = laidButton(this, "btnStart", QStringLiteral("開始"), ButtonWidth, &colors::Cream);
    auto *btnCancel
        = laidButton(this, "btnCancel", QStringLiteral("キャンセル"), ButtonWidth, nullptr);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("模擬試験"),
        {600, 285, 4800, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, FrameWidth, 660});
    stackInListedOrder(this);

    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setSpacing(px(RowGap));
    column->setContentsMargins(px(SideMargin), px(TopMargin), px(SideMargin), px(BottomMargin));
    column->addWidget(m_frameResume);
    column->addWidget(m_framePaper);
    column->addWidget(m_chkTimed);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnStart);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    column->addLayout(buttons);

    // The paper remembered, or else the first that has items.
    int chosen = std::clamp(paperIndex, 0, int(Papers.size()) - 1);
    if (itemCounts.at(chosen) == 0) {
        const auto first = std::find_if(
            itemCounts.cbegin(), itemCounts.cend(), [](int count) { return count > 0; });
        chosen = first == itemCounts.cend() ? 0 : int(first - itemCounts.cbegin());
    }
    m_optPaper[chosen]->setChecked(true);
    m_chkTimed->setChecked(timed);
    connect(m_chkTimed, &QCheckBox::toggled, this, &FrmMockStart::updateLengths);
    connect(m_btnStart, &QPushButton::clicked, this, [this] {
        m_choice = Choice::NewPaper;
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnResume, &QPushButton::clicked, this, [this] {
        m_choice = Choice::Resume;
        accept();
    });
    connect(m_btnGiveUp, &QPushButton::clicked, this, [this] {
        if (!m_underWay)
            return;
        const qint64 attemptId = m_underWay->attemptId;
        confirm("giveUpPaperQuestion",
            QStringLiteral("解答の途中の%1をやめますか？\nやめた試験は続けられません。")
                .arg(PaperLabel(m_underWay->paperIndex)),
            this, this, [this, attemptId] { Q_EMIT giveUpConfirmed(attemptId); });
    });
    setTabOrder(m_btnResume, m_btnGiveUp);
    setTabOrder(m_btnGiveUp, m_optPaper[chosen]);
    setTabOrder(m_optPaper[chosen], m_chkTimed);
    setTabOrder(m_chkTimed, m_btnStart);
    setTabOrder(m_btnStart, btnCancel);
    updateLengths();
    setUnderWay(underWay);
    CenterOnScreen(this);
}

int FrmMockStart::paperIndex() const
{
    for (int paper = 0; paper < int(Papers.size()); ++paper) {
        if (m_optPaper[paper]->isChecked())
            return paper;
    }
    return 0;
}

bool FrmMockStart::timed() const
{
    return m_chkTimed->isChecked();
}

void FrmMockStart::setUnderWay(const std::optional<PaperUnderWay> &underWay)
{
    m_underWay = underWay;
    m_frameResume->setVisible(underWay.has_value());
    // One paper at a time: a new one starts once the one under way is settled.
    m_framePaper->setEnabled(!underWay);
    m_chkTimed->setEnabled(!underWay);
    m_btnStart->setEnabled(!underWay);
    m_btnStart->setDefault(!underWay);
    m_btnResume->setDefault(underWay.has_value());
    if (underWay) {
        m_lblUnderWay->setText(QStringLiteral("%1（%2問）を解答の途中です。")
                                   .arg(PaperLabel(underWay->paperIndex))
                                   .arg(underWay->itemCount));
        m_btnResume->setText(underWay->timed
                ? QStringLiteral("続ける（残り%1）").arg(durationText(underWay->secondsLeft))
                : QStringLiteral("続ける"));
        m_btnResume->setFocus();
    } else {
        m_optPaper[paperIndex()]->setFocus();
    }
}

void FrmMockStart::updateLengths()
{
    for (int paper = 0; paper < int(Papers.size()); ++paper) {
        m_optPaper[paper]->setText(PaperLabel(paper) + QStringLiteral("　")
            + paperLengthText(m_itemCounts[paper], m_chkTimed->isChecked()));
    }
}

} // namespace kivola

#include "ui/testrun/frmscore.h"

#include "scores/scoresummary.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QGroupBox>
#include <QPushButton>

namespace kivola {

namespace {

// Read out alone, "3回" says nothing; the caption beside it goes with it.
void showValue(kit::Label *label, const QString &caption, const QString &value)
{
    label->setText(value);
    label->setAccessibleName(caption + u' ' + value);
}

} // namespace

FrmScore::FrmScore(QWidget *owner)
    : ModalWindow(owner, "frmScore", QStringLiteral("Torenza　Kivola　- 成績表 -"), {4590, 4680},
        Frame::Sizable)
{
    using namespace kit;
    const QFont caption = gothic(15.75, Weight::Bold);
    const auto white = colors::White;

    auto *btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"),
        {240, 4080, 4095, 495}, gothic(14.25, Weight::Bold));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    auto *frame1 = addFrame(this, QStringLiteral("Frame1"), QStringLiteral("コメント"),
        {480, 2640, 3615, 975}, colors::Green, white);
    m_lblComment = addLabel(frame1, QStringLiteral("lblComment"),
        QStringLiteral("この調子でがんばりましょう！"), {120, 240, 3375, 615}, gothic(9.75), white,
        Sizing::Wraps);
    addLabel(this, QStringLiteral("Label5"), QStringLiteral("レベル"), {720, 2160, 930, 315},
        caption, white, Sizing::Fit);
    m_lblLevel = addLabel(this, QStringLiteral("lblLevel"), QStringLiteral("三流大学"),
        {2520, 2160, 1320, 315}, caption, white, Sizing::Fit, Qt::AlignRight);
    addShape(this, QStringLiteral("Shape3"), {120, 3720, 4335, 255},
        {ShapeStyle::Outline::Rectangle, colors::Brown, std::nullopt, 0});
    m_lblNo = addLabel(this, QStringLiteral("lblNo"), QStringLiteral("30問"), {3120, 720, 690, 315},
        caption, white, Sizing::Fit, Qt::AlignRight);
    addLabel(this, QStringLiteral("Label9"), QStringLiteral("テスト回数"), {720, 720, 1485, 315},
        caption, white, Sizing::Fit);
    m_lblScore = addLabel(this, QStringLiteral("lblScore"), QStringLiteral("30問"),
        {3120, 1200, 690, 315}, caption, white, Sizing::Fit, Qt::AlignRight);
    addLabel(this, QStringLiteral("Label7"), QStringLiteral("総得点数"), {720, 1200, 1320, 315},
        caption, white, Sizing::Fit);
    m_lblRate = addLabel(this, QStringLiteral("lblRate"), QStringLiteral("84％"),
        {3120, 1680, 690, 315}, caption, white, Sizing::Fit, Qt::AlignRight);
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("正答率"), {720, 1680, 990, 315},
        caption, white, Sizing::Fit);
    addLabel(this, QStringLiteral("Title1a"), QStringLiteral("成績表"), {1800, 240, 1125, 360},
        gothic(18, Weight::Bold, Slant::Italic), white, Sizing::Fit);
    addShape(this, QStringLiteral("Shape1"), {240, 120, 4095, 2895},
        {ShapeStyle::Outline::RoundedRectangle, colors::Green, std::nullopt, 0});
    addShape(this, QStringLiteral("Shape2"), {240, 1800, 4095, 1935},
        {ShapeStyle::Outline::Rectangle, colors::Green, std::nullopt, 0});
    stackInListedOrder(this);
    stackInListedOrder(frame1);
    btnOK->setFocus();
    CenterOnScreen(this);
}

void FrmScore::showSummary(const ScoreSummary &summary)
{
    showValue(m_lblNo, QStringLiteral("テスト回数"), summary.countText);
    showValue(m_lblScore, QStringLiteral("総得点数"), summary.totalText);
    // Without a test (or with a record no test can produce) there is no honest rate, level or
    // comment: the window shows a zero rate and leaves the rest blank rather than the sample
    // figures of its layout.
    showValue(
        m_lblRate, QStringLiteral("正答率"), summary.rateText.value_or(QStringLiteral("0％")));
    m_lblComment->setText(summary.comment.value_or(QString()));
    showValue(m_lblLevel, QStringLiteral("レベル"), summary.level.value_or(QString()));
}

} // namespace kivola

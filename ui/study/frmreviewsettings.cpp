#include "ui/study/frmreviewsettings.h"

#include "memory/memoryfit.h"
#include "memory/reviewplan.h"
#include "session/memoryfitter.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/reviewtext.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>

namespace kivola {

namespace {

using kit::Twips;

constexpr int Percent = 100;
constexpr qreal ControlPoints = 9.75;
// Rows of the settings frame: a caption on the left, its control on the right.
constexpr int RowTop = 300;
constexpr int RowPitch = 480;
constexpr int CaptionLeft = 240;
constexpr int CaptionWidth = 3240;
constexpr int ControlLeft = 3600;
constexpr int ControlWidth = 2160;
constexpr int RowHeight = 360;
constexpr int CaptionDrop = 60;

enum Row
{
    RetentionRow,
    NewPerDayRow,
    SessionSizeRow,
    ExamDateRow
};

template <typename Control>
Control *addRowControl(
    QGroupBox *frame, Control *control, const QString &name, const QString &caption, Row row)
{
    const int top = RowTop + RowPitch * row;
    kit::addLabel(frame, name + QStringLiteral("Caption"), caption,
        {CaptionLeft, top + CaptionDrop, CaptionWidth, RowHeight - CaptionDrop},
        kit::gothic(ControlPoints), kit::windowTextColor(), kit::Sizing::Fixed);
    control->setObjectName(name);
    control->setFont(kit::gothic(ControlPoints));
    control->setGeometry(Twips {ControlLeft, top, ControlWidth, RowHeight}.toPixels());
    control->setAccessibleName(caption);
    return control;
}

QSpinBox *spinBox(QWidget *parent, int minimum, int maximum, const QString &suffix)
{
    auto *box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setSuffix(suffix);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

FrmReviewSettings::FrmReviewSettings(const ReviewSettings &current, std::vector<Review> reviews,
    const FsrsParameters &parameters, qint64 today, MemoryFitter *fitter, QWidget *owner)
    : ModalWindow(owner, "frmReviewSettings", QStringLiteral("Torenza　Kivola　- 復習の設定 -"),
        {6600, 6480}, Frame::FixedDialog, Escape::Closes)
    , m_reviews(std::move(reviews))
    , m_parameters(parameters)
    , m_today(today)
    , m_fitter(fitter)
{
    using namespace kit;
    const QDate todayDate = QDate::fromJulianDay(today);
    const QFont bigButton = gothic(12, Weight::Bold);
    auto *btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"),
        {1320, 5820, 1575, 495}, bigButton, colors::Cream);
    auto *btnCancel = addButton(this, QStringLiteral("btnCancel"), QStringLiteral("キャンセル"),
        {3705, 5820, 1575, 495}, bigButton);
    auto *frameSettings = addFrame(this, QStringLiteral("frameSettings"),
        QStringLiteral("今日の復習"), {240, 900, 6120, 2280}, menuColor(), windowTextColor());
    m_spnRetention = addRowControl(frameSettings,
        spinBox(frameSettings, qRound(ReviewSettings::MinimumRetention * Percent),
            qRound(ReviewSettings::MaximumRetention * Percent), QStringLiteral("％")),
        QStringLiteral("spnRetention"), QStringLiteral("復習の目安（覚えている見込み）"),
        RetentionRow);
    m_spnRetention->setToolTip(
        QStringLiteral("覚えている見込みがこれを下回った問題を、復習に出します"));
    m_spnNewPerDay = addRowControl(frameSettings,
        spinBox(frameSettings, ReviewSettings::MinimumNewPerDay, ReviewSettings::MaximumNewPerDay,
            QStringLiteral("問")),
        QStringLiteral("spnNewPerDay"), QStringLiteral("1日の新しい問題"), NewPerDayRow);
    m_spnSessionSize = addRowControl(frameSettings,
        spinBox(frameSettings, ReviewSettings::MinimumSessionSize,
            ReviewSettings::MaximumSessionSize, QStringLiteral("問")),
        QStringLiteral("spnSessionSize"), QStringLiteral("1回に解く問題"), SessionSizeRow);
    m_datExam = addRowControl(frameSettings, new QDateEdit(frameSettings),
        QStringLiteral("datExam"), QStringLiteral("試験日"), ExamDateRow);
    m_datExam->setCalendarPopup(true);
    m_datExam->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    m_datExam->setMinimumDate(todayDate);
    m_lblPlan = addLabel(this, QStringLiteral("lblPlan"), QString(), {240, 3300, 6120, 1260},
        gothic(ControlPoints), windowTextColor(), Sizing::Wraps);
    auto *frameFit = addFrame(this, QStringLiteral("frameFit"), QStringLiteral("記憶のモデル"),
        {240, 4620, 6120, 1020}, menuColor(), windowTextColor());
    m_btnFit = addButton(frameFit, QStringLiteral("btnFit"), QStringLiteral("今すぐ記録に合わせる"),
        {120, 360, 2400, 420}, gothic(ControlPoints), colors::Cream);
    m_lblFit = addLabel(frameFit, QStringLiteral("lblFit"),
        QStringLiteral("忘れる速さを、これまでの解答に合わせます。"), {2640, 300, 3360, 600},
        gothic(ControlPoints), windowTextColor(), Sizing::Wraps);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("復習の設定"),
        {600, 255, 4200, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 4920, 600});
    stackInListedOrder(this);
    stackInListedOrder(frameSettings);
    stackInListedOrder(frameFit);

    m_spnRetention->setValue(qRound(current.desiredRetention * Percent));
    m_spnNewPerDay->setValue(current.newPerDay);
    m_spnSessionSize->setValue(current.sessionSize);
    m_datExam->setDate(
        current.examDate.isValid() ? current.examDate : ReviewSettings::defaultExamDate(todayDate));
    m_btnFit->setEnabled(m_fitter != nullptr);

    for (QSpinBox *box : {m_spnRetention, m_spnNewPerDay, m_spnSessionSize})
        connect(box, &QSpinBox::valueChanged, this, &FrmReviewSettings::updatePlan);
    connect(m_datExam, &QDateEdit::dateChanged, this, &FrmReviewSettings::updatePlan);
    connect(m_btnFit, &QPushButton::clicked, this, &FrmReviewSettings::fit);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    if (m_fitter) {
        connect(m_fitter, &MemoryFitter::finished, this, &FrmReviewSettings::fitFinished);
        // The daily review may have started the day's fit already.
        if (m_fitter->isRunning())
            showFitRunning();
    }

    const QList<QWidget *> tabOrder {
        m_spnRetention, m_spnNewPerDay, m_spnSessionSize, m_datExam, m_btnFit, btnOK, btnCancel};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    btnOK->setDefault(true);
    m_spnRetention->setFocus();
    updatePlan();
    CenterOnScreen(this);
}

ReviewSettings FrmReviewSettings::settings() const
{
    ReviewSettings chosen;
    chosen.desiredRetention = m_spnRetention->value() / double(Percent);
    chosen.newPerDay = m_spnNewPerDay->value();
    chosen.sessionSize = m_spnSessionSize->value();
    chosen.examDate = m_datExam->date();
    return chosen.clamped(QDate::fromJulianDay(m_today));
}

void FrmReviewSettings::updatePlan()
{
    const ReviewPlan plan(m_reviews, m_parameters, settings(), m_today);
    const QDate today = QDate::fromJulianDay(m_today);
    QStringList lines;
    if (plan.examAhead()) {
        lines.append(QStringLiteral("試験まであと%1日です。")
                         .arg(today.daysTo(QDate::fromJulianDay(plan.examDay()))));
    }
    lines.append(QStringLiteral("この設定で今日残っている問題：復習 %1問・新しい問題 %2問")
                     .arg(plan.due().size())
                     .arg(plan.newToday().size()));
    const QString raised = raisedNewText(plan);
    if (!raised.isEmpty())
        lines.append(raised);
    m_lblPlan->setText(lines.join(u'\n'));
    m_lblPlan->setAccessibleName(m_lblPlan->text());
}

void FrmReviewSettings::fit()
{
    if (!m_fitter)
        return;
    if (m_fitter->fitNow() || m_fitter->isRunning()) {
        showFitRunning();
        return;
    }
    m_lblFit->setText(QStringLiteral("学習記録をいまは読み込めませんでした。"));
}

void FrmReviewSettings::showFitRunning()
{
    m_btnFit->setEnabled(false);
    m_lblFit->setText(QStringLiteral("これまでの解答に合わせています…"));
}

void FrmReviewSettings::fitFinished(const MemoryFit &fit, bool stored)
{
    m_btnFit->setEnabled(true);
    QString text = fit.fitted
        ? QStringLiteral("%1件の解答に合わせました。").arg(fit.scoredAnswers)
        : QStringLiteral(
            "解答が%1件とまだ少ないため、標準の値のままにしました（%2件から合わせます）。")
              .arg(fit.scoredAnswers)
              .arg(MinimumScoredAnswersForFit);
    if (!stored)
        text += QStringLiteral("学習記録には残せませんでした。");
    m_lblFit->setText(text);
    m_lblFit->setAccessibleName(text);
    m_parameters = fit.parameters;
    updatePlan();
}

} // namespace kivola

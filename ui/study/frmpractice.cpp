#include "ui/study/frmpractice.h"

#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace kivola {

namespace {

// Check boxes stand in two columns inside their frame (three for the themes, which run along
// the whole window).
constexpr int BoxColumns = 2;
constexpr int ThemeColumns = 3;
constexpr int BoxLeft = 240;
constexpr int BoxColumnPitch = 2400;
constexpr int ThemeColumnPitch = 3240;
constexpr int BoxTop = 300;
constexpr int BoxRowPitch = 330;
constexpr int BoxWidth = 2280;
constexpr int BoxHeight = 300;

QCheckBox *addCheckBox(QGroupBox *frame, const QString &name, const QString &text, int index,
    int columns = BoxColumns, int columnPitch = BoxColumnPitch)
{
    auto *box = new QCheckBox(text, frame);
    box->setObjectName(name);
    box->setFont(kit::gothic(9.75));
    // A screen reader hears which frame a bare "江戸" or "政治" belongs to.
    box->setAccessibleName(frame->title() + QStringLiteral("：") + text);
    const int column = index % columns;
    const int row = index / columns;
    box->setGeometry(
        kit::Twips {BoxLeft + columnPitch * column, BoxTop + BoxRowPitch * row, BoxWidth, BoxHeight}
            .toPixels());
    return box;
}

} // namespace

FrmPractice::FrmPractice(const QuestionBank &bank, const StudyLayer &layer,
    const PracticeChoice &initial, QWidget *owner)
    : ModalWindow(owner, "frmPractice", QStringLiteral("Torenza　Kivola　- 練習 -"), {10440, 6240},
        Frame::FixedDialog, Escape::Closes)
    , m_bank(bank)
    , m_layer(layer)
{
    using namespace kit;
    const QFont bigButton = gothic(12, Weight::Bold);
    m_btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("練習開始"),
        {3480, 5520, 1575, 495}, bigButton, colors::Cream);
    auto *btnCancel = addButton(this, QStringLiteral("btnCancel"), QStringLiteral("キャンセル"),
        {5385, 5520, 1575, 495}, bigButton);
    // The exam's parts are named by their ages; the frame of the periods proper is 時代.
    auto *framePart = addFrame(this, QStringLiteral("framePart"), QStringLiteral("大問"),
        {240, 960, 4920, 1380}, menuColor(), windowTextColor());
    auto *framePaper = addFrame(this, QStringLiteral("framePaper"), QStringLiteral("試験"),
        {240, 2460, 4920, 1380}, menuColor(), windowTextColor());
    auto *framePeriod = addFrame(this, QStringLiteral("framePeriod"), QStringLiteral("時代"),
        {5280, 960, 4920, 2880}, menuColor(), windowTextColor());
    auto *frameTheme = addFrame(this, QStringLiteral("frameTheme"), QStringLiteral("分野"),
        {240, 3960, 9960, 1050}, menuColor(), windowTextColor());
    for (int part = 1; part <= PartCount; ++part) {
        m_chkPart[part - 1]
            = addCheckBox(framePart, indexedName("chkPart", part - 1), PartLabel(part), part - 1);
    }
    for (int paper = 0; paper < int(Papers.size()); ++paper) {
        m_chkPaper[paper]
            = addCheckBox(framePaper, indexedName("chkPaper", paper), PaperLabel(paper), paper);
    }
    for (int period = 0; period < PeriodCount; ++period) {
        m_chkPeriod[period] = addCheckBox(
            framePeriod, indexedName("chkPeriod", period), periodLabel(Period(period)), period);
    }
    for (int theme = 0; theme < ThemeCount; ++theme) {
        m_chkTheme[theme] = addCheckBox(frameTheme, indexedName("chkTheme", theme),
            themeLabel(AllThemes[theme]), theme, ThemeColumns, ThemeColumnPitch);
    }
    m_lblCount = addLabel(this, QStringLiteral("lblCount"), QString(), {240, 5130, 9960, 270},
        gothic(12, Weight::Bold), readableOnWindow(colors::Brown), Sizing::Fixed, Qt::AlignHCenter);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("時代・試験を選んで練習"),
        {600, 285, 9240, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 9960, 660});
    stackInListedOrder(this);

    for (std::size_t i = 0; i < m_chkPart.size(); ++i)
        m_chkPart[i]->setChecked(initial.parts[i]);
    for (std::size_t i = 0; i < m_chkPaper.size(); ++i)
        m_chkPaper[i]->setChecked(initial.papers[i]);
    for (std::size_t i = 0; i < m_chkPeriod.size(); ++i)
        m_chkPeriod[i]->setChecked(initial.periods[i]);
    for (std::size_t i = 0; i < m_chkTheme.size(); ++i)
        m_chkTheme[i]->setChecked(initial.themes[i]);

    // In tab order: parts, papers, periods, themes.
    QList<QCheckBox *> boxes(m_chkPart.cbegin(), m_chkPart.cend());
    boxes.append(QList<QCheckBox *>(m_chkPaper.cbegin(), m_chkPaper.cend()));
    boxes.append(QList<QCheckBox *>(m_chkPeriod.cbegin(), m_chkPeriod.cend()));
    boxes.append(QList<QCheckBox *>(m_chkTheme.cbegin(), m_chkTheme.cend()));
    for (QCheckBox *box : std::as_const(boxes))
        connect(box, &QCheckBox::toggled, this, &FrmPractice::updateCount);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    QList<QWidget *> tabOrder(boxes.cbegin(), boxes.cend());
    tabOrder.append({m_btnOK, btnCancel});
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    m_btnOK->setDefault(true);
    m_chkPart[0]->setFocus();
    updateCount();
    CenterOnScreen(this);
}

PracticeChoice FrmPractice::choice() const
{
    PracticeChoice choice;
    for (std::size_t i = 0; i < m_chkPart.size(); ++i)
        choice.parts[i] = m_chkPart[i]->isChecked();
    for (std::size_t i = 0; i < m_chkPaper.size(); ++i)
        choice.papers[i] = m_chkPaper[i]->isChecked();
    for (std::size_t i = 0; i < m_chkPeriod.size(); ++i)
        choice.periods[i] = m_chkPeriod[i]->isChecked();
    for (std::size_t i = 0; i < m_chkTheme.size(); ++i)
        choice.themes[i] = m_chkTheme[i]->isChecked();
    return choice;
}

QList<int> FrmPractice::chosenIds() const
{
    return choice().idsIn(m_bank, m_layer);
}

void FrmPractice::updateCount()
{
    const qsizetype count = chosenIds().size();
    m_lblCount->setText(QStringLiteral("この条件の問題：%1問").arg(count));
    m_btnOK->setEnabled(count > 0);
}

} // namespace kivola

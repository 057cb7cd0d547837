#include "ui/study/frmpractice.h"

#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace kivola {

namespace {

// Check boxes stand in two columns of three inside their frame.
constexpr int BoxColumns = 2;
constexpr int BoxLeft = 240;
constexpr int BoxColumnPitch = 2400;
constexpr int BoxTop = 300;
constexpr int BoxRowPitch = 330;
constexpr int BoxWidth = 2280;
constexpr int BoxHeight = 300;

QCheckBox *addCheckBox(QGroupBox *frame, const QString &name, const QString &text, int index)
{
    auto *box = new QCheckBox(text, frame);
    box->setObjectName(name);
    box->setFont(kit::gothic(9.75));
    const int column = index % BoxColumns;
    const int row = index / BoxColumns;
    box->setGeometry(kit::Twips {
        BoxLeft + BoxColumnPitch * column, BoxTop + BoxRowPitch * row, BoxWidth, BoxHeight}
                         .toPixels());
    return box;
}

} // namespace

FrmPractice::FrmPractice(const QuestionBank &bank, const PracticeChoice &initial, QWidget *owner)
    : ModalWindow(owner, "frmPractice", QStringLiteral("Torenza　Kivola　- 練習 -"), {5400, 5040},
        Frame::FixedDialog, Escape::Closes)
    , m_bank(bank)
{
    using namespace kit;
    const QFont bigButton = gothic(12, Weight::Bold);
    m_btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("練習開始"),
        {960, 4320, 1575, 495}, bigButton, colors::Cream);
    auto *btnCancel = addButton(this, QStringLiteral("btnCancel"), QStringLiteral("キャンセル"),
        {2865, 4320, 1575, 495}, bigButton);
    auto *framePart = addFrame(this, QStringLiteral("framePart"), QStringLiteral("時代"),
        {240, 960, 4920, 1380}, menuColor(), windowTextColor());
    auto *framePaper = addFrame(this, QStringLiteral("framePaper"), QStringLiteral("試験"),
        {240, 2460, 4920, 1380}, menuColor(), windowTextColor());
    for (int part = 1; part <= PartCount; ++part) {
        m_chkPart[part - 1]
            = addCheckBox(framePart, indexedName("chkPart", part - 1), PartLabel(part), part - 1);
    }
    for (int paper = 0; paper < int(Papers.size()); ++paper) {
        m_chkPaper[paper]
            = addCheckBox(framePaper, indexedName("chkPaper", paper), PaperLabel(paper), paper);
    }
    m_lblCount = addLabel(this, QStringLiteral("lblCount"), QString(), {240, 3960, 4920, 270},
        gothic(12, Weight::Bold), readableOnWindow(colors::Brown), Sizing::Fixed, Qt::AlignHCenter);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("時代・試験を選んで練習"),
        {600, 285, 4200, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 4920, 660});
    stackInListedOrder(this);

    for (std::size_t i = 0; i < m_chkPart.size(); ++i)
        m_chkPart[i]->setChecked(initial.parts[i]);
    for (std::size_t i = 0; i < m_chkPaper.size(); ++i)
        m_chkPaper[i]->setChecked(initial.papers[i]);
    for (QCheckBox *box : m_chkPart)
        connect(box, &QCheckBox::toggled, this, &FrmPractice::updateCount);
    for (QCheckBox *box : m_chkPaper)
        connect(box, &QCheckBox::toggled, this, &FrmPractice::updateCount);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    QList<QWidget *> tabOrder(m_chkPart.cbegin(), m_chkPart.cend());
    tabOrder.append(QList<QWidget *>(m_chkPaper.cbegin(), m_chkPaper.cend()));
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
    return choice;
}

QList<int> FrmPractice::chosenIds() const
{
    return choice().idsIn(m_bank);
}

void FrmPractice::updateCount()
{
    const qsizetype count = chosenIds().size();
    m_lblCount->setText(QStringLiteral("この条件の問題：%1問").arg(count));
    m_btnOK->setEnabled(count > 0);
}

} // namespace kivola

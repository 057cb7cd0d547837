#include "ui/study/frmitemreview.h"

#include "quiz/itemtext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/itempanel.h"

#include <QHBoxLayout>
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
constexpr int AnswerHeight = 360;
// A whole item with up to four statements; a statement looked at on its own needs half the height.
constexpr QSize ItemSize {12600, 11100};
constexpr QSize StatementSize {12600, 6600};

QString answerLine(const ExamItem &item, int chosen)
{
    const QString given = chosen > 0 ? optionLabel(item, chosen) : QStringLiteral("未解答");
    const QString verdict
        = chosen == item.rightOption ? QStringLiteral("○ 正解") : QStringLiteral("× 不正解");
    return QStringLiteral("%1　　正解 %2　　あなたの解答 %3")
        .arg(verdict, optionLabel(item, item.rightOption), given);
}

} // namespace

FrmItemReview::FrmItemReview(const QuestionBank &bank, const StudyLayer &layer,
    const ExamItem &item, int chosen, const QString &heading, QWidget *owner)
    : FrmItemReview(bank, layer, item, heading, std::optional<int>(chosen), ItemSize, owner)
{ }

FrmItemReview::FrmItemReview(const QuestionBank &bank, const StudyLayer &layer,
    const ExamItem &item, const QString &heading, QWidget *owner)
    : FrmItemReview(bank, layer, item, heading, std::optional<int>(),
        item.bankIds.size() == 1 ? StatementSize : ItemSize, owner)
{ }

FrmItemReview::FrmItemReview(const QuestionBank &bank, const StudyLayer &layer,
    const ExamItem &item, const QString &heading, std::optional<int> chosen, QSize clientTwips,
    QWidget *owner)
    : ModalWindow(owner, "frmItemReview", QStringLiteral("Torenza　Kivola　- 見直し -"),
        clientTwips, Frame::Sizable, Escape::Closes)
    , m_bank(bank)
    , m_layer(layer)
{
    using namespace kit;
    // The item is laid out to be read whole; the scroll bars are for a window made too small.
    auto *scrItem = new QScrollArea(this);
    scrItem->setObjectName(QStringLiteral("scrItem"));
    scrItem->setFrameShape(QFrame::NoFrame);
    scrItem->setWidgetResizable(true);
    m_panel = new ItemPanel(m_bank, m_layer, scrItem);
    scrItem->setWidget(m_panel);
    const QString answer = chosen ? answerLine(item, *chosen) : QString();
    auto *lblAnswer = addLabel(this, QStringLiteral("lblAnswer"), answer,
        {0, 0, 6000, AnswerHeight}, gothic(14.25, Weight::Bold),
        readableOnWindow(chosen == item.rightOption ? colors::Red : colors::Blue), Sizing::Fixed);
    lblAnswer->setAccessibleName(answer);
    lblAnswer->setVisible(chosen.has_value());
    auto *btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("閉じる"),
        {0, 0, 2040, 495}, gothic(12, Weight::Bold));
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("問題の見直し"),
        {600, 270, 4200, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 4920, 600});
    stackInListedOrder(this);

    btnOK->setFixedSize(btnOK->size());
    lblAnswer->setFixedHeight(px(AnswerHeight));
    lblAnswer->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(px(SideMargin), px(TopMargin), px(SideMargin), px(BottomMargin));
    column->setSpacing(px(Gap));
    column->addWidget(lblAnswer);
    column->addWidget(scrItem, 1);
    column->addWidget(btnOK, 0, Qt::AlignHCenter);

    m_panel->showItem(item, heading);
    m_panel->showFeedback(chosen.value_or(0));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    btnOK->setDefault(true);
    btnOK->setFocus();
    CenterOnScreen(this);
}

} // namespace kivola

#include "ui/study/frmbrowser.h"

#include "bank/banktext.h"
#include "study/questionfilter.h"
#include "study/questiontablemodel.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kivola {

namespace {

using kit::Twips;

constexpr qreal ControlPoints = 9.75;

template <typename Control>
Control *placedControl(Control *control, const QString &name, const Twips &where)
{
    control->setObjectName(name);
    control->setGeometry(where.toPixels());
    control->setFont(kit::gothic(ControlPoints));
    return control;
}

QCheckBox *addCheckBox(
    QWidget *parent, const QString &name, const QString &text, const Twips &where)
{
    return placedControl(new QCheckBox(text, parent), name, where);
}

// Column widths in twips; the statement takes what is left.
constexpr int SourceWidth = 3000;
constexpr int AnswerWidth = 600;
constexpr int AnsweredWidth = 780;
constexpr int LatestWidth = 1140;
constexpr int MemoryWidth = 780;
constexpr int NextDueWidth = 1260;

// The layout's margins and the gaps between its controls in twips, as designed; the table
// takes whatever the window has beyond its designed size.
constexpr int SideMargin = 240;
constexpr int TopMargin = 960;
constexpr int BottomMargin = 165;
constexpr int RowGap = 120;
constexpr int ButtonRowGap = 180;
constexpr int NarrowGap = 120;
constexpr int WideGap = 240;
constexpr int CommentInset = 120;
constexpr int CommentTop = 300;
constexpr int CommentGap = 60;
// Enough for the header and a handful of rows.
constexpr int TableMinimumHeight = 1800;

struct Controls
{
    QWidget *lblSearch;
    QWidget *txtSearch;
    QWidget *chkShowAnswer;
    QWidget *lblCount;
    QWidget *lblFilter;
    QWidget *cboPart;
    QWidget *cboPaper;
    QWidget *chkWrongEver;
    QWidget *chkUnseen;
    QWidget *tblQuestions;
    QWidget *frameComment;
    QWidget *lblComment;
    QWidget *lblCommentary;
    QWidget *btnPractice;
    QWidget *btnOK;
};

// A row of controls at their designed sizes, each after the gap in twips given with it.
QHBoxLayout *addRow(QVBoxLayout *column, const QList<std::pair<int, QWidget *>> &controls)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    for (const auto &[gap, control] : controls) {
        row->addSpacing(kit::px(gap));
        row->addWidget(control);
    }
    column->addLayout(row);
    return row;
}

// Lays the controls out as designed, from the window's edges; the title panel above them stays
// where it is.
void layOut(QWidget *window, const Controls &c)
{
    using kit::px;
    for (QWidget *fixed : {c.lblSearch, c.txtSearch, c.chkShowAnswer, c.lblFilter, c.cboPart,
             c.cboPaper, c.chkWrongEver, c.chkUnseen, c.btnPractice, c.btnOK})
        fixed->setFixedSize(fixed->size());
    c.lblCount->setMinimumSize(c.lblCount->size());
    c.lblCount->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    c.frameComment->setFixedHeight(c.frameComment->height());
    // Each text keeps the lines it was designed for, however the frame is widened.
    for (QWidget *text : {c.lblComment, c.lblCommentary})
        text->setFixedHeight(text->height());
    c.frameComment->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    c.tblQuestions->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    c.tblQuestions->setMinimumHeight(px(TableMinimumHeight));

    auto *column = new QVBoxLayout(window);
    column->setSpacing(0);
    column->setContentsMargins(px(SideMargin), px(TopMargin), px(SideMargin), px(BottomMargin));
    addRow(column,
        {{0, c.lblSearch}, {0, c.txtSearch}, {WideGap, c.chkShowAnswer}, {NarrowGap, c.lblCount}});
    column->addSpacing(px(RowGap));
    addRow(column,
        {{0, c.lblFilter}, {0, c.cboPart}, {NarrowGap, c.cboPaper}, {WideGap, c.chkWrongEver},
            {NarrowGap, c.chkUnseen}})
        ->addStretch();
    column->addSpacing(px(RowGap));
    column->addWidget(c.tblQuestions, 1);
    column->addSpacing(px(RowGap));
    column->addWidget(c.frameComment);
    column->addSpacing(px(ButtonRowGap));
    QHBoxLayout *buttons = addRow(column, {{0, c.btnPractice}, {WideGap, c.btnOK}});
    buttons->insertStretch(0);
    buttons->addStretch();

    auto *inside = new QVBoxLayout(c.frameComment);
    inside->setContentsMargins(
        px(CommentInset), px(CommentTop), px(CommentInset), px(CommentInset));
    inside->setSpacing(px(CommentGap));
    inside->addWidget(c.lblComment);
    inside->addWidget(c.lblCommentary);
}

} // namespace

FrmBrowser::FrmBrowser(const QuestionBank &bank, const StudyLayer &layer,
    const StatementTable &figures, StatementMemory memory, QWidget *owner)
    : ModalWindow(owner, "frmBrowser", QStringLiteral("Torenza　Kivola　- 問題一覧 -"),
        {10200, 8340}, Frame::Sizable, Escape::Closes)
    , m_model(new QuestionTableModel(bank, layer, figures, std::move(memory), this))
    , m_filter(new QuestionFilter(m_model, this))
{
    using namespace kit;
    m_txtSearch
        = placedControl(new QLineEdit(this), QStringLiteral("txtSearch"), {1080, 960, 4080, 360});
    m_txtSearch->setPlaceholderText(QStringLiteral("問題文・解説・補足から探す"));
    m_txtSearch->setClearButtonEnabled(true);
    m_txtSearch->setAccessibleName(QStringLiteral("検索"));
    m_chkShowAnswer = addCheckBox(this, QStringLiteral("chkShowAnswer"),
        QStringLiteral("正解を表示"), {5400, 990, 1800, 300});
    m_cboPart
        = placedControl(new QComboBox(this), QStringLiteral("cboPart"), {1080, 1440, 2280, 360});
    m_cboPart->setAccessibleName(QStringLiteral("時代"));
    m_cboPart->addItem(QStringLiteral("すべての時代"), QuestionFilter::Any);
    for (int part = 1; part <= PartCount; ++part)
        m_cboPart->addItem(PartLabel(part), part);
    m_cboPaper
        = placedControl(new QComboBox(this), QStringLiteral("cboPaper"), {3480, 1440, 2280, 360});
    m_cboPaper->setAccessibleName(QStringLiteral("試験"));
    m_cboPaper->addItem(QStringLiteral("すべての試験"), QuestionFilter::Any);
    for (int paper = 0; paper < int(Papers.size()); ++paper)
        m_cboPaper->addItem(PaperLabel(paper), paper);
    m_chkWrongEver = addCheckBox(this, QStringLiteral("chkWrongEver"),
        QStringLiteral("間違えたことがある"), {6000, 1470, 2160, 300});
    m_chkUnseen = addCheckBox(
        this, QStringLiteral("chkUnseen"), QStringLiteral("未回答"), {8280, 1470, 1560, 300});

    m_tblQuestions = placedControl(
        new QTableView(this), QStringLiteral("tblQuestions"), {240, 1920, 9720, 3720});
    m_tblQuestions->setModel(m_filter);
    m_tblQuestions->setAccessibleName(QStringLiteral("問題の一覧"));
    m_tblQuestions->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblQuestions->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tblQuestions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblQuestions->setSortingEnabled(true);
    m_tblQuestions->sortByColumn(QuestionTableModel::Source, Qt::AscendingOrder);
    m_tblQuestions->setWordWrap(false);
    m_tblQuestions->setTextElideMode(Qt::ElideRight);
    m_tblQuestions->verticalHeader()->setDefaultSectionSize(
        m_tblQuestions->fontMetrics().height() + 6);
    m_tblQuestions->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView *header = m_tblQuestions->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(QuestionTableModel::Statement, QHeaderView::Stretch);
    header->resizeSection(QuestionTableModel::Source, px(SourceWidth));
    header->resizeSection(QuestionTableModel::Answer, px(AnswerWidth));
    header->resizeSection(QuestionTableModel::Answered, px(AnsweredWidth));
    header->resizeSection(QuestionTableModel::Latest, px(LatestWidth));
    header->resizeSection(QuestionTableModel::Memory, px(MemoryWidth));
    header->resizeSection(QuestionTableModel::NextDue, px(NextDueWidth));

    auto *frameComment = addFrame(this, QStringLiteral("frameComment"),
        QStringLiteral("解説・補足"), {240, 5760, 9720, 1740}, menuColor(), windowTextColor());
    m_lblComment = addLabel(frameComment, QStringLiteral("lblComment"), QString(),
        {120, 300, 9480, 600}, gothic(ControlPoints), windowTextColor(), Sizing::Wraps);
    // Three lines: a commentary runs to 120 characters.
    m_lblCommentary = addLabel(frameComment, QStringLiteral("lblCommentary"), QString(),
        {120, 960, 9480, 660}, gothic(ControlPoints), windowTextColor(), Sizing::Wraps);
    m_btnPractice
        = addButton(this, QStringLiteral("btnPractice"), QStringLiteral("選んだ問題で練習"),
            {2520, 7680, 2880, 495}, gothic(12, Weight::Bold), colors::Cream);
    auto *btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("閉じる"),
        {5640, 7680, 2040, 495}, gothic(12, Weight::Bold));
    for (QPushButton *button : {m_btnPractice, btnOK})
        button->setAutoDefault(false);

    auto *lblSearch = addLabel(this, QStringLiteral("lblSearch"), QStringLiteral("検索："),
        {240, 1005, 840, 270}, gothic(ControlPoints), windowTextColor(), Sizing::Fixed);
    auto *lblFilter = addLabel(this, QStringLiteral("lblFilter"), QStringLiteral("絞り込み："),
        {240, 1485, 840, 270}, gothic(ControlPoints), windowTextColor(), Sizing::Fixed);
    m_lblCount = addLabel(this, QStringLiteral("lblCount"), QString(), {7320, 1005, 2640, 270},
        gothic(ControlPoints), windowTextColor(), Sizing::Fixed, Qt::AlignRight);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("問題一覧"),
        {600, 285, 3000, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 3360, 660});
    stackInListedOrder(this);
    layOut(this,
        {lblSearch, m_txtSearch, m_chkShowAnswer, m_lblCount, lblFilter, m_cboPart, m_cboPaper,
            m_chkWrongEver, m_chkUnseen, m_tblQuestions, frameComment, m_lblComment,
            m_lblCommentary, m_btnPractice, btnOK});

    connect(m_txtSearch, &QLineEdit::textChanged, m_filter, &QuestionFilter::setSearchText);
    connect(m_cboPart, &QComboBox::currentIndexChanged, this,
        [this] { m_filter->setPart(m_cboPart->currentData().toInt()); });
    connect(m_cboPaper, &QComboBox::currentIndexChanged, this,
        [this] { m_filter->setPaper(m_cboPaper->currentData().toInt()); });
    connect(m_chkWrongEver, &QCheckBox::toggled, m_filter, &QuestionFilter::setWrongEver);
    connect(m_chkUnseen, &QCheckBox::toggled, m_filter, &QuestionFilter::setUnseen);
    connect(m_chkShowAnswer, &QCheckBox::toggled, this, &FrmBrowser::showAnswers);
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &FrmBrowser::updateCount);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &FrmBrowser::updateCount);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &FrmBrowser::updateCount);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, &FrmBrowser::updateCount);
    connect(m_tblQuestions->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &FrmBrowser::updateCount);
    connect(m_tblQuestions->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &FrmBrowser::showExplanation);
    connect(m_btnPractice, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::reject);

    const QList<QWidget *> tabOrder {m_txtSearch, m_chkShowAnswer, m_cboPart, m_cboPaper,
        m_chkWrongEver, m_chkUnseen, m_tblQuestions, m_btnPractice, btnOK};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    showAnswers(false);
    updateCount();
    m_txtSearch->setFocus();
    CenterOnScreen(this);
}

QList<int> FrmBrowser::selectedIds() const
{
    QModelIndexList rows = m_tblQuestions->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
        [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QList<int> ids;
    for (const QModelIndex &row : std::as_const(rows)) {
        if (ids.size() == MaxPractised)
            break;
        ids.append(row.data(QuestionTableModel::BankIdRole).toInt());
    }
    return ids;
}

void FrmBrowser::showAnswers(bool shown)
{
    m_tblQuestions->setColumnHidden(QuestionTableModel::Answer, !shown);
    showExplanation();
}

void FrmBrowser::showExplanation()
{
    const QModelIndex current = m_tblQuestions->currentIndex();
    m_lblCommentary->clear();
    if (!m_chkShowAnswer->isChecked()) {
        m_lblComment->setText(
            QStringLiteral("「正解を表示」にチェックすると、ここに解説と補足が出ます"));
        return;
    }
    if (!current.isValid()) {
        m_lblComment->setText(QString());
        return;
    }
    const int row = current.data(QuestionTableModel::BankIdRole).toInt() - 1;
    m_lblComment->setText(ExplanationText(m_model->record(row)));
    const QString &commentary = m_model->commentary(row);
    if (!commentary.isEmpty())
        m_lblCommentary->setText(QStringLiteral("補足：") + commentary);
}

void FrmBrowser::updateCount()
{
    const qsizetype selected = m_tblQuestions->selectionModel()->selectedRows().size();
    m_lblCount->setText(
        QStringLiteral("%1問中 %2問を表示").arg(m_model->rowCount()).arg(m_filter->rowCount()));
    m_btnPractice->setEnabled(selected > 0);
    m_btnPractice->setToolTip(selected > MaxPractised
            ? QStringLiteral("練習は%1問まで：表示順の最初の%1問を使います").arg(MaxPractised)
            : QString());
}

} // namespace kivola

#include "ui/study/frmmockresult.h"

#include "quiz/itemtext.h"
#include "quiz/mockpapertext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/laidlabel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kivola {

namespace {

using kit::px;

constexpr int SideMargin = 240;
constexpr int TopMargin = 900;
constexpr int BottomMargin = 165;
constexpr int RowGap = 120;
constexpr int PartColumns = 3;
constexpr int ButtonHeight = 495;
constexpr int ButtonWidth = 1800;
constexpr int ReviewWidth = 900;
constexpr qreal TextPoints = 10.5;
constexpr qreal ScorePoints = 18;
constexpr qreal NotePoints = 9;

enum Column
{
    NumberColumn,
    PartColumn,
    GivenColumn,
    RightColumn,
    JudgedColumn,
    ReviewColumn,
    ColumnCount
};

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QLabel *laidLabel(QWidget *parent, const QString &name, const QString &text, qreal points,
    const QColor &colour, kit::Weight weight = kit::Weight::Regular)
{
    return addLaidLabel(parent, name, text, kit::gothic(points, weight), colour);
}

QTableWidget *itemTable(const MockPaper &paper, QWidget *parent)
{
    auto *table = new QTableWidget(paper.itemCount(), ColumnCount, parent);
    table->setObjectName(QStringLiteral("tblItems"));
    table->setAccessibleName(QStringLiteral("問題ごとの結果"));
    table->setFont(kit::gothic(TextPoints));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("問"), QStringLiteral("大問"), QStringLiteral("あなたの解答"),
            QStringLiteral("正解"), QStringLiteral("判定"), QStringLiteral("見直し")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    for (int index = 0; index < paper.itemCount(); ++index) {
        const ExamItem &item = paper.item(index);
        const int chosen = paper.chosen(index);
        table->setItem(index, NumberColumn, cell(QStringLiteral("問%1").arg(index + 1)));
        table->setItem(index, PartColumn, cell(PartLabel(item.part)));
        table->setItem(index, GivenColumn,
            cell(chosen > 0 ? optionLabel(item, chosen) : QStringLiteral("未解答")));
        table->setItem(index, RightColumn, cell(optionLabel(item, item.rightOption)));
        auto *judged = cell(paper.isRight(index) ? QStringLiteral("○") : QStringLiteral("×"));
        judged->setTextAlignment(Qt::AlignCenter);
        judged->setData(Qt::AccessibleTextRole,
            paper.isRight(index) ? QStringLiteral("正解") : QStringLiteral("不正解"));
        table->setItem(index, JudgedColumn, judged);
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(GivenColumn, QHeaderView::Stretch);
    return table;
}

} // namespace

FrmMockResult::FrmMockResult(const MockPaper &paper, bool timeRanOut, QWidget *owner)
    : ModalWindow(owner, "frmMockResult", QStringLiteral("Torenza　Kivola　- 模擬試験の結果 -"),
        {10200, 8700}, Frame::Sizable, Escape::Closes)
{
    using namespace kit;
    const QColor text = windowTextColor();
    auto *lblRight = laidLabel(this, QStringLiteral("lblRight"),
        QStringLiteral("%1問中%2問正解").arg(paper.itemCount()).arg(paper.rightCount()),
        ScorePoints, text, Weight::Bold);
    auto *lblScore = laidLabel(this, QStringLiteral("lblScore"),
        QStringLiteral("%1点／100点").arg(paper.score()), ScorePoints,
        readableOnWindow(colors::Brown), Weight::Bold);
    auto *lblWeighting = laidLabel(this, QStringLiteral("lblWeighting"),
        QStringLiteral("ここでは全問を同じ重みとして100点満点に換算しています。"
                       "本番の配点は1問2点または3点でした。"),
        NotePoints, text);
    QString time = QStringLiteral("解答時間 ") + durationText(paper.secondsUsed());
    if (paper.isTimed())
        time += QStringLiteral("（制限時間 ") + durationText(paper.timeLimitSeconds())
            + QStringLiteral("）");
    if (timeRanOut)
        time += QStringLiteral("　時間切れで終了しました。");
    auto *lblTime = laidLabel(this, QStringLiteral("lblTime"), time, TextPoints,
        timeRanOut ? readableOnWindow(colors::Red) : text);
    const auto parts = paper.partScores();
    QList<QLabel *> partLabels;
    for (int part = 1; part <= PartCount; ++part) {
        const PartScore &score = parts[part - 1];
        partLabels.append(laidLabel(this, indexedName("lblPart", part - 1),
            PartLabel(part) + QStringLiteral("　")
                + (score.count > 0 ? QStringLiteral("%1／%2").arg(score.right).arg(score.count)
                                   : QStringLiteral("出題なし")),
            TextPoints, text));
    }
    QTableWidget *table = itemTable(paper, this);
    for (int index = 0; index < paper.itemCount(); ++index) {
        QPushButton *review = addButton(table, indexedName("btnReview", index),
            QStringLiteral("見直し"), {0, 0, ReviewWidth, 360}, gothic(NotePoints));
        // A window without a default makes its first auto-default button one, and Enter on the
        // table would then press it beside opening the review of the row chosen.
        review->setAutoDefault(false);
        review->setAccessibleName(QStringLiteral("問%1を見直す").arg(index + 1));
        table->setCellWidget(index, ReviewColumn, review);
        connect(
            review, &QPushButton::clicked, this, [this, index] { Q_EMIT reviewRequested(index); });
    }
    table->setColumnWidth(ReviewColumn, px(ReviewWidth));
    connect(table, &QTableWidget::activated, this,
        [this](const QModelIndex &index) { Q_EMIT reviewRequested(index.row()); });
    auto *btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("閉じる"),
        {0, 0, ButtonWidth, ButtonHeight}, gothic(12, Weight::Bold));
    btnOK->setFixedSize(btnOK->size());
    btnOK->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    addShadowedTitle(this, QStringLiteral("Title1"), PaperLabel(paper.paperIndex()),
        {480, 225, 4440, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 4920, 600});
    stackInListedOrder(this);

    auto *column = new QVBoxLayout(this);
    column->setSpacing(px(RowGap));
    column->setContentsMargins(px(SideMargin), px(TopMargin), px(SideMargin), px(BottomMargin));
    auto *scoreRow = new QHBoxLayout;
    scoreRow->addWidget(lblRight);
    scoreRow->addWidget(lblScore);
    column->addLayout(scoreRow);
    column->addWidget(lblWeighting);
    column->addWidget(lblTime);
    auto *partGrid = new QGridLayout;
    for (int part = 0; part < PartCount; ++part)
        partGrid->addWidget(partLabels.at(part), part / PartColumns, part % PartColumns);
    column->addLayout(partGrid);
    column->addWidget(table, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addStretch();
    column->addLayout(buttons);

    table->setCurrentCell(0, NumberColumn);
    table->setFocus();
    CenterOnScreen(this);
}

} // namespace kivola

#include "ui/study/answersheet.h"

#include "bank/questionplace.h"
#include "quiz/itemtext.h"
#include "quiz/mockpaper.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

namespace kivola {

namespace {

enum Column
{
    NumberColumn,
    PartColumn,
    MarksColumn,
    StateColumn,
    ColumnCount
};

constexpr int NumberWidth = 900;
constexpr int PartWidth = 1800;
constexpr int StateWidth = 2400;
constexpr qreal SheetPoints = 10.5;
// The filled marks ❶ to ❽ follow one another in Unicode.
constexpr char16_t FilledOne = u'\u2776';

// An option as the sheet prints it, filled in when chosen.
QString markOf(const ExamItem &item, int option, bool chosen)
{
    if (item.format == ItemFormat::Single) {
        const QString mark = optionLabel(item, option);
        return chosen ? QStringLiteral("［") + mark + QStringLiteral("］") : mark;
    }
    return chosen ? QString(QChar(char16_t(FilledOne + option - 1))) : circledNumber(option);
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

QTableWidget *createAnswerSheet(QWidget *parent)
{
    auto *sheet = new QTableWidget(0, ColumnCount, parent);
    sheet->setObjectName(QStringLiteral("tblSheet"));
    sheet->setAccessibleName(QStringLiteral("解答用紙"));
    sheet->setFont(kit::gothic(SheetPoints));
    sheet->setHorizontalHeaderLabels({QStringLiteral("問"), QStringLiteral("大問"),
        QStringLiteral("解答欄"), QStringLiteral("確認")});
    sheet->setSelectionBehavior(QAbstractItemView::SelectRows);
    sheet->setSelectionMode(QAbstractItemView::SingleSelection);
    sheet->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sheet->setTabKeyNavigation(false);
    sheet->verticalHeader()->hide();
    sheet->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QHeaderView *header = sheet->horizontalHeader();
    header->resizeSection(NumberColumn, kit::px(NumberWidth));
    header->resizeSection(PartColumn, kit::px(PartWidth));
    header->resizeSection(StateColumn, kit::px(StateWidth));
    header->setSectionResizeMode(MarksColumn, QHeaderView::Stretch);
    return sheet;
}

void fillAnswerSheet(QTableWidget *sheet, const MockPaper &paper)
{
    sheet->setRowCount(paper.itemCount());
    for (int index = 0; index < paper.itemCount(); ++index) {
        const ExamItem &item = paper.item(index);
        const int chosen = paper.chosen(index);
        QStringList marks;
        for (int option = 1; option <= item.optionCount(); ++option)
            marks.append(markOf(item, option, option == chosen));
        QStringList state;
        if (chosen == 0)
            state.append(QStringLiteral("未解答"));
        if (paper.isFlagged(index))
            state.append(QStringLiteral("あとで見直す"));
        auto *marksCell = cell(marks.join(QStringLiteral("　")));
        marksCell->setData(Qt::AccessibleTextRole,
            chosen == 0 ? QStringLiteral("未解答") : spokenOption(item, chosen));
        auto *stateCell = cell(state.join(QStringLiteral("・")), Qt::AlignLeft);
        if (chosen == 0)
            stateCell->setForeground(kit::readableOnWindow(kit::colors::Red));
        sheet->setItem(index, NumberColumn, cell(QStringLiteral("問%1").arg(index + 1)));
        sheet->setItem(index, PartColumn, cell(PartLabel(item.part), Qt::AlignLeft));
        sheet->setItem(index, MarksColumn, marksCell);
        sheet->setItem(index, StateColumn, stateCell);
    }
}

} // namespace kivola

#include "ui/study/itempanel.h"

#include "bank/banktext.h"
#include "quiz/itemtext.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivola {

namespace {

using kit::px;

constexpr qreal HeadingPoints = 12;
constexpr qreal TextPoints = 10.5;
constexpr qreal NotePoints = 9.75;
constexpr qreal OptionPoints = 12;
constexpr qreal MarkOptionPoints = 20.25;
constexpr int OptionsPerRow = 4;
// How much darker a chosen ○ or × is drawn, in percent as QColor::darker() takes it.
constexpr int ChosenShade = 125;
constexpr int Gap = 120;
constexpr int BoxPadding = 120;
constexpr int MarkerWidth = 360;
constexpr int OptionHeight = 480;
constexpr int SingleOptionHeight = 720;

// Statements and their grading stand on the cream of the question window, in black whatever the
// colour scheme.
void paintOnCream(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kit::colors::Cream);
    palette.setColor(QPalette::WindowText, kit::colors::Black);
    widget->setPalette(palette);
}

QLabel *addText(const QString &name, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Digits typed with a Japanese input method arrive full width.
int digitOf(const QString &text)
{
    static const QString halfWidth = QStringLiteral("123456789");
    static const QString fullWidth = QStringLiteral("１２３４５６７８９");
    if (text.size() != 1)
        return 0;
    const qsizetype half = halfWidth.indexOf(text);
    const qsizetype full = fullWidth.indexOf(text);
    return int((half >= 0 ? half : full) + 1);
}

} // namespace

ItemPanel::ItemPanel(const QuestionBank &bank, const StudyLayer &layer, QWidget *parent)
    : QWidget(parent)
    , m_bank(bank)
    , m_layer(layer)
    , m_lblHeading(addText(
          QStringLiteral("lblHeading"), kit::gothic(HeadingPoints, kit::Weight::Bold), this))
    , m_lblSource(addText(QStringLiteral("lblSource"), kit::gothic(NotePoints), this))
    , m_lblInstruction(addText(QStringLiteral("lblInstruction"), kit::gothic(TextPoints), this))
    , m_statements(new QVBoxLayout)
    , m_options(new QGridLayout)
    , m_group(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("itemPanel"));
    m_lblHeading->setWordWrap(false);
    m_lblSource->setWordWrap(false);
    m_lblSource->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *headingRow = new QHBoxLayout;
    headingRow->addWidget(m_lblHeading);
    headingRow->addStretch();
    headingRow->addWidget(m_lblSource);

    auto *statementBox = new QFrame(this);
    statementBox->setObjectName(QStringLiteral("frameStatements"));
    statementBox->setFrameShape(QFrame::Box);
    statementBox->setAutoFillBackground(true);
    paintOnCream(statementBox);
    statementBox->setLayout(m_statements);
    m_statements->setContentsMargins(
        px(BoxPadding), px(BoxPadding), px(BoxPadding), px(BoxPadding));
    m_statements->setSpacing(px(Gap));

    m_options->setSpacing(px(Gap));
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &ItemPanel::optionChosen);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(px(Gap));
    column->addLayout(headingRow);
    column->addWidget(m_lblInstruction);
    column->addWidget(statementBox);
    column->addLayout(m_options);
    column->addStretch();
}

void ItemPanel::clearItem()
{
    m_feedback.clear();
    while (QLayoutItem *entry = m_statements->takeAt(0)) {
        delete entry->widget();
        delete entry;
    }
    for (QAbstractButton *button : m_group->buttons()) {
        m_group->removeButton(button);
        delete button;
    }
}

void ItemPanel::showItem(const ExamItem &item, const QString &heading)
{
    clearItem();
    m_item = item;
    m_lblHeading->setText(heading);
    m_lblSource->setText(itemSource(item));
    m_lblInstruction->setText(itemInstruction(item.format));
    for (int i = 0; i < int(item.bankIds.size()); ++i)
        addStatement(i, item.bankIds.at(i));
    addOptions();
    showQuestion();
}

void ItemPanel::addStatement(int index, int bankId)
{
    const QuestionRecord &record = m_bank.record(bankId);
    auto *row = new QWidget;
    row->setObjectName(kit::indexedName("statement", index));
    auto *grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(px(Gap));
    grid->setVerticalSpacing(0);
    grid->setColumnMinimumWidth(0, px(MarkerWidth));
    grid->setColumnStretch(1, 1);

    const QString marker = statementMarker(m_item.format, index);
    auto *lblMarker = addText(
        kit::indexedName("lblMarker", index), kit::gothic(TextPoints, kit::Weight::Bold), row);
    lblMarker->setText(marker);
    auto *lblStatement
        = addText(kit::indexedName("lblStatement", index), kit::gothic(TextPoints), row);
    lblStatement->setText(record.questionText);
    lblStatement->setAccessibleName(marker.isEmpty()
            ? record.questionText
            : marker + QStringLiteral("：") + record.questionText);
    grid->addWidget(lblMarker, 0, 0);
    grid->addWidget(lblStatement, 0, 1);

    const AnswerCode answer = codeOf(record.answerCode);
    auto *lblMark = addText(
        kit::indexedName("lblMark", index), kit::gothic(TextPoints, kit::Weight::Bold), row);
    lblMark->setText(AnswerMark(answer) + QStringLiteral("　")
        + (answer == AnswerTrue ? QStringLiteral("正しい") : QStringLiteral("誤り")));
    auto *lblExplanation
        = addText(kit::indexedName("lblExplanation", index), kit::gothic(NotePoints), row);
    lblExplanation->setText(ExplanationText(record));
    auto *lblCitation
        = addText(kit::indexedName("lblCitation", index), kit::gothic(NotePoints), row);
    lblCitation->setText(CitationText(record));
    QPalette brown = lblCitation->palette();
    brown.setColor(QPalette::WindowText, kit::colors::Brown);
    lblCitation->setPalette(brown);
    grid->addWidget(lblMark, 1, 1);
    grid->addWidget(lblExplanation, 2, 1);
    m_feedback << lblMark << lblExplanation;
    // The study note says why, where the bank's own explanation is short or missing.
    if (m_layer.contains(bankId)) {
        auto *lblCommentary
            = addText(kit::indexedName("lblCommentary", index), kit::gothic(NotePoints), row);
        lblCommentary->setText(QStringLiteral("補足：") + m_layer.note(bankId).commentary);
        grid->addWidget(lblCommentary, 3, 1);
        m_feedback << lblCommentary;
    }
    grid->addWidget(lblCitation, 4, 1);
    m_feedback << lblCitation;
    m_statements->addWidget(row);
}

void ItemPanel::addOptions()
{
    const bool single = m_item.format == ItemFormat::Single;
    const QFont font
        = single ? kit::gothic(MarkOptionPoints, kit::Weight::Bold) : kit::gothic(OptionPoints);
    for (int option = 1; option <= m_item.optionCount(); ++option) {
        const QColor colour = !single ? kit::colors::Cream
            : option == AnswerTrue    ? kit::colors::Pink
                                      : kit::colors::Lavender;
        QPushButton *button = kit::addButton(this, kit::indexedName("btnOption", option),
            optionLabel(m_item, option), {0, 0, 0, 0}, font, colour);
        button->setCheckable(true);
        // The chosen option stands out in the title panel's orange, not only a shade darker.
        connect(button, &QAbstractButton::toggled, button, [button, colour](bool checked) {
            QPalette palette = button->palette();
            palette.setColor(QPalette::Button,
                !checked                           ? colour
                    : colour == kit::colors::Cream ? kit::colors::PanelFill
                                                   : colour.darker(ChosenShade));
            button->setPalette(palette);
        });
        // A graded item's options stay readable: only their answering is switched off.
        QPalette palette = button->palette();
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, kit::colors::Black);
        button->setPalette(palette);
        button->setMinimumHeight(px(single ? SingleOptionHeight : OptionHeight));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        QString spoken = spokenOption(m_item, option);
        if (m_item.format == ItemFormat::ChooseTrue || m_item.format == ItemFormat::ChooseFalse)
            spoken += QStringLiteral("：")
                + m_bank.record(m_item.bankIds.value(option - 1)).questionText;
        button->setAccessibleName(spoken);
        m_group->addButton(button, option);
        m_options->addWidget(button, (option - 1) / OptionsPerRow, (option - 1) % OptionsPerRow);
    }
}

int ItemPanel::chosenOption() const
{
    return qMax(m_group->checkedId(), 0);
}

void ItemPanel::setChosenOption(int option)
{
    if (QAbstractButton *button = m_group->button(option)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; clearing needs it lifted for a moment.
    m_group->setExclusive(false);
    for (QAbstractButton *button : m_group->buttons())
        button->setChecked(false);
    m_group->setExclusive(true);
}

int ItemPanel::optionForKey(const QKeyEvent &event) const
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    if (m_item.format == ItemFormat::Single) {
        static const QString trueTexts = QStringLiteral("oOｏＯ○");
        static const QString falseTexts = QStringLiteral("xXｘＸ×");
        const QString text = event.text();
        if (text.size() == 1 && trueTexts.contains(text))
            return AnswerTrue;
        if (text.size() == 1 && falseTexts.contains(text))
            return AnswerFalse;
    }
    const int digit = digitOf(event.text());
    return digit <= m_item.optionCount() ? digit : 0;
}

bool ItemPanel::chooseByKey(const QKeyEvent &event)
{
    const int option = optionForKey(event);
    QAbstractButton *button = m_group->button(option);
    if (!button || !button->isEnabled())
        return false;
    button->setChecked(true);
    Q_EMIT optionChosen(option);
    return true;
}

void ItemPanel::showFeedback(int chosen)
{
    setChosenOption(chosen);
    for (QAbstractButton *button : m_group->buttons()) {
        const int option = m_group->id(button);
        QString label = optionLabel(m_item, option);
        if (option == m_item.rightOption)
            label += QStringLiteral("　正解");
        else if (option == chosen)
            label += QStringLiteral("　選んだ答え");
        button->setText(label);
        button->setEnabled(false);
    }
    for (QWidget *widget : std::as_const(m_feedback))
        widget->show();
}

void ItemPanel::showQuestion()
{
    for (QAbstractButton *button : m_group->buttons()) {
        button->setText(optionLabel(m_item, m_group->id(button)));
        button->setEnabled(true);
    }
    for (QWidget *widget : std::as_const(m_feedback))
        widget->hide();
}

QAbstractButton *ItemPanel::optionButton(int option) const
{
    return m_group->button(option);
}

} // namespace kivola

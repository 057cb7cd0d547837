#include "ui/study/studymenu.h"

#include "memory/studyday.h"
#include "quiz/practicedraw.h"
#include "session/dailyreview.h"
#include "session/drillsession.h"
#include "session/memoryfitter.h"
#include "session/reviewchoices.h"
#include "session/reviewhistory.h"
#include "session/testsession.h"
#include "study/itemrecord.h"
#include "study/studyrecord.h"
#include "ui/kit/modalwindow.h"
#include "ui/study/frmbrowser.h"
#include "ui/study/frmdailyreview.h"
#include "ui/study/frmitemdrill.h"
#include "ui/study/frmpractice.h"
#include "ui/study/frmrecord.h"
#include "ui/study/frmreviewsettings.h"
#include "ui/study/mockpaperflow.h"
#include "ui/study/reviewfigures.h"
#include "ui/testrun/recordmessages.h"
#include "ui/testrun/testflow.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace kivola {

namespace {

QAction *addItem(QMenu *menu, const char *name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// What a practice of fewer than five statements is filled up with, in words.
QString fillUpText(TestKind kind, const PracticeSources &sources)
{
    QString set = QStringLiteral("選んだ問題は%1問です。");
    if (kind == TestKind::PracticeMistakes)
        set = QStringLiteral("間違えた問題は%1問です。");
    else if (kind == TestKind::PracticeUnseen)
        set = QStringLiteral("まだ解いていない問題は%1問です。");
    set = set.arg(sources.fromSet);
    QStringList rest;
    if (sources.fromUnanswered > 0)
        rest.append(QStringLiteral("まだ解いていない問題から%1問").arg(sources.fromUnanswered));
    if (sources.fromBank > 0)
        rest.append(QStringLiteral("全体から%1問").arg(sources.fromBank));
    return set + QStringLiteral("残りは") + rest.join(QStringLiteral("、"))
        + QStringLiteral("を選んで、5問の練習にします。");
}

QDateTime now()
{
    return QDateTime::currentDateTime();
}

} // namespace

StudyMenu::StudyMenu(TestSession &session, TestFlow &flow, QMainWindow *mainWindow, QAction *before)
    : QObject(mainWindow)
    , m_session(session)
    , m_flow(flow)
    , m_mainWindow(mainWindow)
{
    auto *mnuStudy = new QMenu(QStringLiteral("学習(&S)"), mainWindow->menuBar());
    mnuStudy->setObjectName(QStringLiteral("mnuStudy"));
    mainWindow->menuBar()->insertMenu(before, mnuStudy);
    m_actReview = addItem(mnuStudy, "mnuStudyReview", QStringLiteral("今日の復習(&T)..."));
    connect(m_actReview, &QAction::triggered, this, &StudyMenu::review);
    connect(addItem(mnuStudy, "mnuStudyReviewSettings", QStringLiteral("復習の設定(&O)...")),
        &QAction::triggered, this, &StudyMenu::reviewSettings);
    connect(mnuStudy, &QMenu::aboutToShow, this, &StudyMenu::refreshReviewCount);
    mnuStudy->addSeparator();
    connect(addItem(mnuStudy, "mnuStudyMistakes", QStringLiteral("間違えた問題を練習(&M)")),
        &QAction::triggered, this, &StudyMenu::practiseMistakes);
    connect(addItem(mnuStudy, "mnuStudyUnseen", QStringLiteral("まだ解いていない問題を練習(&N)")),
        &QAction::triggered, this, &StudyMenu::practiseUnseen);
    connect(addItem(mnuStudy, "mnuStudyChoose", QStringLiteral("時代・試験を選んで練習(&E)...")),
        &QAction::triggered, this, &StudyMenu::practiseChosen);
    connect(addItem(mnuStudy, "mnuStudyDrill", QStringLiteral("本番形式で練習(&F)...")),
        &QAction::triggered, this, &StudyMenu::drill);
    connect(addItem(mnuStudy, "mnuStudyMock", QStringLiteral("模擬試験(&P)...")),
        &QAction::triggered, this, &StudyMenu::takeMockPaper);
    mnuStudy->addSeparator();
    connect(addItem(mnuStudy, "mnuStudyRecord", QStringLiteral("学習記録(&R)...")),
        &QAction::triggered, this, &StudyMenu::showRecord);
    connect(addItem(mnuStudy, "mnuStudyBrowse", QStringLiteral("問題一覧(&B)...")),
        &QAction::triggered, this, &StudyMenu::browse);
}

std::unique_ptr<DailyReview> StudyMenu::loadedReview(const QuestionBank &bank) const
{
    auto review = std::make_unique<DailyReview>(m_session.study().path(), bank, m_zone, &now);
    review->reload();
    return review;
}

MemoryFitter *StudyMenu::fitter()
{
    if (!m_fitter)
        m_fitter = new MemoryFitter(m_session.study().path(), m_zone, &now, this);
    return m_fitter;
}

void StudyMenu::refreshReviewCount()
{
    // Silent: a bank that cannot be used is told when an item is chosen, not when the menu opens.
    const BankBuild &build = m_session.quiz().rebuildBank();
    const std::unique_ptr<DailyReview> review
        = build.isUsable() ? loadedReview(build.bank) : nullptr;
    QString text = QStringLiteral("今日の復習(&T)...");
    if (review && review->isReadable()) {
        text = review->dueLeft() > 0 || review->newLeft() == 0
            ? QStringLiteral("今日の復習　%1問(&T)...").arg(review->dueLeft())
            : QStringLiteral("今日の復習　新しい問題 %1問(&T)...").arg(review->newLeft());
    }
    m_actReview->setText(text);
}

void StudyMenu::review()
{
    const std::optional<StudyContent> content = usableContent();
    if (!content)
        return;
    m_session.recordPendingStudy();
    reportStudyNotices(m_session.study(), m_mainWindow);
    std::unique_ptr<DailyReview> review = loadedReview(content->bank);
    if (!review->isReadable()) {
        reportUnreadable();
        return;
    }
    kit::showModal(new FrmDailyReview(content->bank, content->layer, std::move(review),
        m_session.study().path(), fitter(), m_mainWindow));
}

void StudyMenu::reviewSettings()
{
    m_session.recordPendingStudy();
    StudyRecord &study = m_session.study();
    const std::optional<QList<StatementEvent>> history = study.statementHistory();
    reportStudyNotices(study, m_mainWindow);
    if (!history) {
        reportUnreadable();
        return;
    }
    const qint64 today = StudyDay(now(), m_zone);
    const QDate date = DailyReview::dateOf(today);
    auto *window = new FrmReviewSettings(LoadReviewSettings(study, date),
        ReviewsFromHistory(*history, m_zone), LoadMemoryParameters(study).parameters, today,
        fitter(), m_mainWindow);
    connect(window, &QDialog::accepted, this, [this, window, date] {
        if (!SaveReviewSettings(m_session.study(), window->settings(), date)) {
            inform("reviewSettingsUnsavedMessage",
                QStringLiteral(
                    "学習記録に書き込めなかったため、復習の設定は保存されませんでした。"),
                m_mainWindow);
        }
    });
    kit::showModal(window);
}

void StudyMenu::practiseMistakes()
{
    practiseFromRecord(TestKind::PracticeMistakes, &latestWrong,
        QStringLiteral("まだ間違えた問題はありません。\nまずはテストを受けてみましょう"));
}

void StudyMenu::practiseUnseen()
{
    practiseFromRecord(TestKind::PracticeUnseen, &neverAnswered,
        QStringLiteral("すべての問題に一度は答えました。お見事です！\n"
                       "間違えた問題の練習もどうぞ"));
}

void StudyMenu::practiseFromRecord(
    TestKind kind, QList<int> (*select)(const StatementTable &), const QString &whenEmpty)
{
    StudyRecord &study = m_session.study();
    const std::optional<StatementTable> figures = study.statementFigures();
    reportStudyNotices(study, m_mainWindow);
    if (!figures) {
        reportUnreadable();
        return;
    }
    practise(kind, select(*figures), whenEmpty);
}

void StudyMenu::practiseChosen()
{
    const std::optional<StudyContent> content = usableContent();
    if (!content)
        return;
    StudyRecord &study = m_session.study();
    const PracticeChoice initial = PracticeChoice::fromText(study.value(QLatin1String(ChoiceKey)))
                                       .value_or(PracticeChoice::everything());
    reportStudyNotices(study, m_mainWindow);
    auto *dialog = new FrmPractice(content->bank, content->layer, initial, m_mainWindow);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        // Remembering the choice is a convenience: a record that cannot be written does not
        // stop the practice.
        m_session.study().setValue(QLatin1String(ChoiceKey), dialog->choice().toText());
        practise(TestKind::PracticeChosen, dialog->chosenIds(), QString());
    });
    kit::showModal(dialog);
}

void StudyMenu::drill()
{
    const std::optional<StudyContent> content = usableContent();
    if (!content)
        return;
    m_session.recordPendingStudy();
    StudyRecord &study = m_session.study();
    const PracticeChoice initial
        = PracticeChoice::fromText(study.value(QLatin1String(DrillChoiceKey)))
              .value_or(PracticeChoice::everything());
    reportStudyNotices(study, m_mainWindow);
    auto *dialog = new FrmPractice(content->bank, content->layer, initial, m_mainWindow);
    connect(dialog, &QDialog::accepted, this,
        [this, dialog, chosenBank = content->bank, chosenLayer = content->layer] {
            m_session.study().setValue(QLatin1String(DrillChoiceKey), dialog->choice().toText());
            startDrill(chosenBank, chosenLayer, dialog->choice());
        });
    kit::showModal(dialog);
}

void StudyMenu::startDrill(
    const QuestionBank &bank, const StudyLayer &layer, const PracticeChoice &choice)
{
    QList<ExamItem> candidates = choice.itemsIn(buildExamItems(bank), layer);
    if (candidates.isEmpty()) {
        inform("nothingToDrillMessage", QStringLiteral("この条件にあてはまる問題はありません。"),
            m_mainWindow);
        return;
    }
    RandomSource &random = m_session.quiz().random();
    random.seedFromClock();
    kit::showModal(new FrmItemDrill(bank, layer, std::move(candidates), random,
        std::make_unique<DrillSession>(m_session.study().path(), bank), m_mainWindow));
}

void StudyMenu::takeMockPaper()
{
    const std::optional<StudyContent> content = usableContent();
    if (!content)
        return;
    m_session.recordPendingStudy();
    MockPaperFlow::start(content->bank, content->layer, m_session.study(), m_mainWindow);
}

void StudyMenu::showRecord()
{
    const std::optional<StudyContent> content = usableContent();
    if (!content)
        return;
    StudyRecord &study = m_session.study();
    const std::optional<StatementTable> figures = study.statementFigures();
    const std::optional<QList<TestPoints>> tests = study.testPoints(FrmRecord::ShownTests);
    reportStudyNotices(study, m_mainWindow);
    if (!figures || !tests) {
        reportUnreadable();
        return;
    }
    const std::optional<QList<PaperResult>> papers = ItemRecord(study.path()).papersTaken();
    if (!papers) {
        reportUnreadable();
        return;
    }
    kit::showModal(new FrmRecord(content->bank, content->layer, *figures, *tests, *papers,
        reviewFiguresOf(*loadedReview(content->bank), content->layer), m_mainWindow));
}

void StudyMenu::browse()
{
    const std::optional<StudyContent> content = usableContent();
    if (!content)
        return;
    StudyRecord &study = m_session.study();
    const std::optional<StatementTable> figures = study.statementFigures();
    reportStudyNotices(study, m_mainWindow);
    if (!figures) {
        reportUnreadable();
        return;
    }
    auto *window = new FrmBrowser(content->bank, content->layer, *figures,
        statementMemoryOf(loadedReview(content->bank)->plan()), m_mainWindow);
    // Accepted once the browser has closed: one modal chain at a time.
    connect(window, &QDialog::accepted, this,
        [this, window] { practise(TestKind::PracticeSelected, window->selectedIds(), QString()); });
    kit::showModal(window);
}

std::optional<QuestionBank> StudyMenu::usableBank()
{
    const BankBuild &build = m_session.quiz().rebuildBank();
    if (!build.isUsable()) {
        reportUnusableBank(build, m_mainWindow);
        return std::nullopt;
    }
    return build.bank;
}

std::optional<StudyMenu::StudyContent> StudyMenu::usableContent()
{
    std::optional<QuestionBank> bank = usableBank();
    if (!bank)
        return std::nullopt;
    std::optional<StudyLayer> layer = usableLayer(*bank);
    if (!layer)
        return std::nullopt;
    return StudyContent {std::move(*bank), std::move(*layer)};
}

std::optional<StudyLayer> StudyMenu::usableLayer(const QuestionBank &bank)
{
    StudyLayerBuild build = m_session.quiz().buildLayer(bank);
    if (!build.isUsable()) {
        reportUnusableLayer(build, m_mainWindow);
        return std::nullopt;
    }
    return std::move(build.layer);
}

void StudyMenu::practise(TestKind kind, const QList<int> &ids, const QString &whenEmpty)
{
    if (ids.isEmpty()) {
        inform("nothingToPractiseMessage", whenEmpty, m_mainWindow);
        return;
    }
    if (ids.size() >= QuestionsPerTest) {
        m_flow.startPractice(kind, ids);
        return;
    }
    const std::optional<StatementTable> figures = m_session.study().statementFigures();
    const PracticeSources sources
        = practiceSources(ids, figures ? neverAnswered(*figures) : QList<int>());
    QMessageBox *box = inform("practiceFillUpMessage", fillUpText(kind, sources), m_mainWindow);
    connect(box, &QDialog::finished, this, [this, kind, ids] { m_flow.startPractice(kind, ids); });
}

void StudyMenu::reportUnreadable()
{
    reportUnreadableRecord(m_session.study().path(), m_mainWindow);
}

} // namespace kivola

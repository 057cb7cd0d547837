#include "ui/frmmain.h"

#include "scores/scorestore.h"
#include "scores/scoresummary.h"
#include "session/testsession.h"
#include "ui/frmabout.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/clockstatusbar.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/kit/modaldisabling.h"
#include "ui/kit/modalwindow.h"
#include "ui/kit/programicon.h"
#include "ui/kit/windowframe.h"
#include "ui/study/studymenu.h"
#include "ui/testrun/frmscore.h"
#include "ui/testrun/recordmessages.h"
#include "ui/testrun/testflow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

namespace kivola {

namespace {

constexpr QSize DesignedClientTwips {4695, 3150};

} // namespace

FrmMain::FrmMain(TestSession &session)
    : m_session(session)
{
    using namespace kit;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Torenza　Kivola"));
    setWindowIcon(programIcon());
    setFont(defaultWindowFont());
    // Its buttons and menus act only while no modal window is open over it.
    ModalDisabling::install();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    const QFont buttonFont = gothic(12, Weight::Bold);
    const QFont titleFont = gothic(18, Weight::Bold, Slant::Italic);
    auto *command1 = addButton(client, QStringLiteral("Command1"), QStringLiteral("終了"),
        {3240, 2160, 1335, 495}, buttonFont, colors::Cream);
    auto *btnScore = addButton(client, QStringLiteral("btnScore"), QStringLiteral("成績表"),
        {1680, 2160, 1335, 495}, buttonFont, colors::Cream);
    auto *cBottun = addButton(client, QStringLiteral("CBottun"), QStringLiteral("テスト開始"),
        {120, 2160, 1335, 495}, buttonFont, colors::Cream);
    addLabel(client, QStringLiteral("Title1a"), QStringLiteral("Torenza"), {1080, 360, 2250, 360},
        titleFont, colors::Black, Sizing::Fit);
    addLabel(client, QStringLiteral("Title2a"), QStringLiteral("Kivola"), {1380, 840, 1560, 360},
        titleFont, colors::Black, Sizing::Fit);
    addLabel(client, QStringLiteral("Title1b"), QStringLiteral("Torenza"),
        {1080 + ShadowOffsetX, 360 + ShadowOffsetY, 2250, 360}, titleFont, colors::Shadow,
        Sizing::Fit);
    addLabel(client, QStringLiteral("Title2b"), QStringLiteral("Kivola"),
        {1380 + ShadowOffsetX, 840 + ShadowOffsetY, 1560, 360}, titleFont, colors::Shadow,
        Sizing::Fit);
    addLabel(client, indexedName("Title", 2),
        QStringLiteral("姉妹ソフト「トレンザ世界史」もどうぞ\nhttp://www.torenza.example.jp/"),
        {480, 1560, 3615, 495}, gothic(9.75), readableOnWindow(colors::Brown), Sizing::Wraps);
    addTitlePanel(client, QStringLiteral("Shape1"), {480, 240, 3615, 1095});
    stackInListedOrder(client);

    m_statusBar = new ClockStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("sbStatusBar"));
    setStatusBar(m_statusBar);

    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&A)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction *mnuFileExit = mnuFile->addAction(QStringLiteral("終了"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    QMenu *mnuView = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    m_statusBarAction = mnuView->addAction(QStringLiteral("ステータスバー"));
    m_statusBarAction->setObjectName(QStringLiteral("mnuViewStatusBar"));
    m_statusBarAction->setCheckable(true);
    m_statusBarAction->setChecked(true);
    QMenu *mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction *mnuHelpAbout = mnuHelp->addAction(QStringLiteral("バージョン情報"));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
    m_flow = new TestFlow(m_session, this);
    new StudyMenu(m_session, *m_flow, this, mnuHelp->menuAction());

    connect(cBottun, &QPushButton::clicked, this, &FrmMain::startTest);
    connect(btnScore, &QPushButton::clicked, this, &FrmMain::showScores);
    connect(command1, &QPushButton::clicked, qApp, &QApplication::quit);
    connect(mnuFileExit, &QAction::triggered, qApp, &QApplication::quit);
    connect(m_statusBarAction, &QAction::triggered, this, &FrmMain::toggleStatusBar);
    connect(mnuHelpAbout, &QAction::triggered, this, &FrmMain::showAbout);

    setTabOrder(cBottun, btnScore);
    setTabOrder(btnScore, command1);
    cBottun->setFocus();
    load();
}

void FrmMain::load()
{
    using namespace kit;
    // A fixed frame: the window manager gives it no sizing border.
    setFixedSize(px(OuterWidthTwips), px(OuterHeightTwips));
    // Creating the native window first lets platforms that know their frame at creation
    // report it.
    winId();
    WindowFrame::place(this, [this](QMargins frame) {
        // Centred at its designed size (client area, menu bar and frame), then brought to its
        // final outer size; its left and top edges stay where they are.
        const QSize designed = QSize(px(DesignedClientTwips.width()),
            px(DesignedClientTwips.height()) + menuBar()->sizeHint().height())
                                   .grownBy(frame);
        const QSize client = QSize(px(OuterWidthTwips), px(OuterHeightTwips)).shrunkBy(frame);
        setFixedSize(client);
        WindowFrame::setFrameGeometry(
            this, centeredPosition(designed, screenArea(this)), client, frame);
    });
}

void FrmMain::keyPressEvent(QKeyEvent *event)
{
    // As in the dialogs, Enter presses the button that has the focus.
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        button->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void FrmMain::startTest()
{
    m_flow->startTest();
}

void FrmMain::showScores()
{
    ScoreStore &store = m_session.store();
    const ScoreSummary summary = ReportText(store);
    if (store.testsTaken() == 0) {
        inform("noTestYetMessage", QStringLiteral("まずはテストを受けてみましょう"), this);
        return;
    }
    auto *report = new FrmScore(this);
    report->showSummary(summary);
    kit::showModal(report);
}

void FrmMain::toggleStatusBar()
{
    // The action has already flipped its own check mark; the status bar follows it.
    m_statusBar->setVisible(m_statusBarAction->isChecked());
}

void FrmMain::showAbout()
{
    kit::showModal(new FrmAbout(this));
}

} // namespace kivola

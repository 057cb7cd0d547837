#include "quiz/quiz.h"
#include "scores/scorestore.h"
#include "session/testsession.h"
#include "study/studyrecord.h"
#include "tests/support/controlcheck.h"
#include "tests/support/fixedrandomsource.h"
#include "tests/support/fixturebank.h"
#include "tests/support/uitest.h"
#include "ui/frmmain.h"
#include "ui/kit/clockstatusbar.h"
#include "ui/kit/gothicfont.h"
#include "ui/kit/twips.h"

#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kivola;
using uitest::child;

class TestFrmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void windowFrame();
    void centredBeforeResize();
    void controls_data();
    void controls();
    void titleRendersInJapaneseGothic();
    void menus();
    void focusAndTabOrder();
    void statusBarToggle();
    void statusBarShowsDateAndTime();
    void firstRunShowsMessage();
    void reportAfterOneTest();
    void aboutOpensOwnedByMain();
    void exitEndsProgram_data();
    void exitEndsProgram();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScoreStore> m_store;
    std::unique_ptr<FixedRandomSource> m_random;
    std::unique_ptr<Quiz> m_quiz;
    std::unique_ptr<StudyRecord> m_study;
    std::unique_ptr<TestSession> m_session;
    std::unique_ptr<FrmMain> m_window;
};

void TestFrmMain::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmMain::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<ScoreStore>(ScoreStore::pathIn(m_dir->path()));
    m_random = std::make_unique<FixedRandomSource>(fixture::uniformsFor({1, 2, 3, 4, 5}));
    m_quiz = std::make_unique<Quiz>(fixture::completeBuild, *m_random, fixture::completeLayerBuild);
    m_study = std::make_unique<StudyRecord>(StudyRecord::pathIn(m_dir->path()));
    m_session = std::make_unique<TestSession>(*m_quiz, *m_store, *m_study);
    m_window = std::make_unique<FrmMain>(*m_session);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestFrmMain::cleanup()
{
    m_window.reset();
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmMain::windowFrame()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Torenza　Kivola"));
    checkFramed(m_window.get());
    QTRY_COMPARE(m_window->frameGeometry().size(), QSize(kit::px(4785), kit::px(3810)));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_window->windowIcon().isNull());
}

void TestFrmMain::centredBeforeResize()
{
    // Centred at the designed size (client plus menu bar), then resized without moving.
    const QRect screen = m_window->screen()->geometry();
    const QSize frame = m_window->frameGeometry().size() - m_window->geometry().size();
    const int designedWidth = kit::px(4695) + frame.width();
    const int designedHeight
        = kit::px(3150) + m_window->menuBar()->sizeHint().height() + frame.height();
    const int left = (kit::twips(screen.width()) - kit::twips(designedWidth)) / 2;
    const int top = (kit::twips(screen.height()) - kit::twips(designedHeight)) / 2;
    QCOMPARE(m_window->frameGeometry().topLeft(), QPoint(kit::px(left), kit::px(top)));
    QVERIFY(m_window->frameGeometry().top()
        > (screen.height() - m_window->frameGeometry().height()) / 2);
}

void TestFrmMain::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ControlRow>("row");

    const QColor cream(0xFF, 0xE0, 0xC0);
    QTest::newRow("Command1") << "Command1"
                              << ControlRow {{3240, 2160, 1335, 495}, false, 16, true, false, cream,
                                     QPalette::Button};
    QTest::newRow("btnScore") << "btnScore"
                              << ControlRow {{1680, 2160, 1335, 495}, false, 16, true, false, cream,
                                     QPalette::Button};
    QTest::newRow("CBottun") << "CBottun"
                             << ControlRow {{120, 2160, 1335, 495}, false, 16, true, false, cream,
                                    QPalette::Button};
    QTest::newRow("Title1a") << "Title1a"
                             << ControlRow {
                                    {1080, 360, 2250, 360}, true, 24, true, true, Qt::black};
    QTest::newRow("Title2a") << "Title2a"
                             << ControlRow {
                                    {1380, 840, 1560, 360}, true, 24, true, true, Qt::black};
    QTest::newRow("Title1b") << "Title1b"
                             << ControlRow {{1125, 390, 2250, 360}, true, 24, true, true,
                                    QColor(0xC0, 0xC0, 0xC0)};
    QTest::newRow("Title2b") << "Title2b"
                             << ControlRow {{1425, 870, 1560, 360}, true, 24, true, true,
                                    QColor(0xC0, 0xC0, 0xC0)};
    QTest::newRow("Title2") << "Title2"
                            << ControlRow {{480, 1560, 3615, 495}, false, 13, false, false,
                                   QColor(0x80, 0x40, 0x00)};
    QTest::newRow("Shape1") << "Shape1"
                            << shapeRow({480, 240, 3615, 1095}, QColor(0xFF, 0xC0, 0x80),
                                   QColor(0xC0, 0x40, 0x00), 3);
}

void TestFrmMain::controls()
{
    QFETCH(QString, name);
    QFETCH(ControlRow, row);
    checkControl(m_window->centralWidget(), name, row);
}

void TestFrmMain::titleRendersInJapaneseGothic()
{
    // Without substitutions fontconfig would take a Latin face for the name and a fixed-pitch
    // face for kana; the face the layouts were drawn for wins where it is installed (Windows
    // may know it by its English name only), else the first installed Japanese proportional
    // Gothic.
    const auto *label = child<QLabel>(m_window.get(), QStringLiteral("Title2"));
    const QString family = QFontInfo(label->font()).family();
    QVERIFY2(isJapaneseGothic(family), qPrintable(family));
    const QStringList original {
        QString::fromUtf8(kivola::kit::GothicFamily), QStringLiteral("MS PGothic")};
    if (QFontDatabase::hasFamily(original[0]) || QFontDatabase::hasFamily(original[1]))
        QVERIFY2(original.contains(family), qPrintable(family));
    else if (QFontDatabase::hasFamily(QStringLiteral("IPAPGothic"))
        && qEnvironmentVariableIsEmpty("KIVOLA_TEST_ONLY_FACE"))
        QCOMPARE(family, QStringLiteral("IPAPGothic"));
    // Shadows are drawn behind their titles: the black copy comes later in stacking order.
    const QList<QWidget *> order
        = m_window->centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const auto index = [&](const char *name) {
        return order.indexOf(child<QWidget>(m_window.get(), QString::fromLatin1(name)));
    };
    QVERIFY(index("Title1a") > index("Title1b"));
    QVERIFY(index("Title1b") > index("Shape1"));
    QVERIFY(index("CBottun") > index("Title1a"));
}

void TestFrmMain::menus()
{
    const QList<QAction *> menus = m_window->menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus.at(0)->text(), QStringLiteral("ファイル(&A)"));
    QCOMPARE(menus.at(1)->text(), QStringLiteral("表示(&V)"));
    QCOMPARE(menus.at(2)->text(), QStringLiteral("学習(&S)"));
    QCOMPARE(menus.at(3)->text(), QStringLiteral("ヘルプ"));
    QCOMPARE(child<QAction>(m_window.get(), QStringLiteral("mnuFileExit"))->text(),
        QStringLiteral("終了"));
    auto *statusItem = child<QAction>(m_window.get(), QStringLiteral("mnuViewStatusBar"));
    QCOMPARE(statusItem->text(), QStringLiteral("ステータスバー"));
    QVERIFY(statusItem->isChecked());
    QCOMPARE(child<QAction>(m_window.get(), QStringLiteral("mnuHelpAbout"))->text(),
        QStringLiteral("バージョン情報"));
}

void TestFrmMain::focusAndTabOrder()
{
    auto *start = child<QPushButton>(m_window.get(), QStringLiteral("CBottun"));
    auto *score = child<QPushButton>(m_window.get(), QStringLiteral("btnScore"));
    auto *exit = child<QPushButton>(m_window.get(), QStringLiteral("Command1"));
    QCOMPARE(m_window->focusWidget(), start);
    QCOMPARE(uitest::nextFocusable(start), score);
    QCOMPARE(uitest::nextFocusable(score), exit);
}

void TestFrmMain::statusBarToggle()
{
    auto *item = child<QAction>(m_window.get(), QStringLiteral("mnuViewStatusBar"));
    auto *bar = m_window->clockStatusBar();
    auto *start = child<QPushButton>(m_window.get(), QStringLiteral("CBottun"));
    const QPoint buttonAt = start->mapTo(m_window.get(), QPoint());
    QVERIFY(bar->isVisible());
    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!bar->isVisible());
    QCOMPARE(start->mapTo(m_window.get(), QPoint()), buttonAt);
    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(bar->isVisible());
    QCOMPARE(start->mapTo(m_window.get(), QPoint()), buttonAt);
}

void TestFrmMain::statusBarShowsDateAndTime()
{
    auto *bar = m_window->clockStatusBar();
    QCOMPARE(
        bar->datePanel()->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    QVERIFY(QTime::fromString(bar->timePanel()->text(), QStringLiteral("HH:mm")).isValid());
}

void TestFrmMain::firstRunShowsMessage()
{
    uitest::ModalScript script;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    script.expect(QStringLiteral("QMessageBox"), [&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = int(box->buttons().size());
        box->accept();
    });
    script.start();
    child<QPushButton>(m_window.get(), QStringLiteral("btnScore"))->click();
    QVERIFY(script.finished());
    QCOMPARE(text, QStringLiteral("まずはテストを受けてみましょう"));
    QCOMPARE(title, QStringLiteral("Torenza Kivola"));
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(buttons, 1);
    QVERIFY(!QFile::exists(m_store->path()));
}

void TestFrmMain::reportAfterOneTest()
{
    QFile file(m_store->path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[MAIN]\r\nNO= 1\r\nGETS= 60\r\n");
    file.close();

    uitest::ModalScript script;
    QString count;
    QWidget *owner = nullptr;
    script.expect(QStringLiteral("frmScore"), [&](QWidget *w) {
        count = child<QLabel>(w, QStringLiteral("lblNo"))->text();
        owner = w->parentWidget();
        child<QPushButton>(w, QStringLiteral("btnOK"))->click();
    });
    script.start();
    child<QPushButton>(m_window.get(), QStringLiteral("btnScore"))->click();
    QVERIFY(script.finished());
    QCOMPARE(count, QStringLiteral("1回"));
    QCOMPARE(owner, m_window.get());
}

void TestFrmMain::aboutOpensOwnedByMain()
{
    uitest::ModalScript script;
    QWidget *owner = nullptr;
    script.expect(QStringLiteral("frmAbout"), [&](QWidget *w) {
        owner = w->parentWidget();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    script.start();
    child<QAction>(m_window.get(), QStringLiteral("mnuHelpAbout"))->trigger();
    QVERIFY(script.finished());
    QCOMPARE(owner, m_window.get());
}

void TestFrmMain::exitEndsProgram_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("終了 button") << "Command1";
    QTest::newRow("ファイル → 終了") << "mnuFileExit";
}

void TestFrmMain::exitEndsProgram()
{
    QFETCH(QString, control);
    // The program's event loop, ended from inside it by the control without a prompt.
    QTimer::singleShot(0, m_window.get(), [this, control] {
        if (auto *button = child<QPushButton>(m_window.get(), control))
            button->click();
        else
            child<QAction>(m_window.get(), control)->trigger();
    });
    QTimer stuck;
    stuck.setSingleShot(true);
    connect(&stuck, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    stuck.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"

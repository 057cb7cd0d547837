#include "bank/compiledpapers.h"
#include "bank/questionbank.h"
#include "quiz/clockrandomsource.h"
#include "quiz/quiz.h"
#include "scores/scorestore.h"
#include "scores/settingslocation.h"
#include "session/testsession.h"
#include "study/studyrecord.h"
#include "ui/frmmain.h"
#include "ui/kit/gothicfont.h"
#include "ui/startuptrace.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    using namespace kivola;
    const StartupTrace::Mode trace = StartupTrace::requestedMode();
    if (trace != StartupTrace::Mode::Off)
        StartupTrace::markStart();
    kit::registerGothicSubstitutions();
    QApplication app(argc, argv);
    StartupTrace::install(trace);
    QApplication::setApplicationName(QStringLiteral("kivola"));
    QApplication::setApplicationVersion(QStringLiteral("1.00.0007"));
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.example.torenza.kivola"));
    // One look on every platform, and one that draws buttons in their own background colour.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(kit::defaultWindowFont());

#ifdef Q_OS_WIN
    // The roaming application data, so that the record follows the student from one school
    // machine to the next; Qt's configuration folder there is the machine's local one.
    const auto userFolder = QStandardPaths::AppDataLocation;
#else
    const auto userFolder = QStandardPaths::AppConfigLocation;
#endif
    const SettingsLocation settings(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(userFolder));
    ScoreStore store(settings.path());
    // The learning record keeps to the settings file's folder; it is opened only when first used.
    StudyRecord study(StudyRecord::pathIn(QFileInfo(settings.path()).absolutePath()));
    ClockRandomSource random;
    Quiz quiz([] { return BankLoader(compiledPapersDirectory()).build(); }, random,
        [](const QuestionBank &bank) {
            return StudyLayerLoader(compiledStudyLayerDirectory(), bank).build();
        });
    TestSession session(quiz, store, study);

    FrmMain window(session);
    window.show();
    return app.exec();
}

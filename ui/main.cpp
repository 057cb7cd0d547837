#include "clockrandomsource.h"
#include "compiledpapers.h"
#include "frmmain.h"
#include "gothicfont.h"
#include "questionbank.h"
#include "quiz.h"
#include "scorestore.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    using namespace kivola;
    kit::registerGothicSubstitutions();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kivola"));
    QApplication::setApplicationVersion(QStringLiteral("1.00.0007"));
    // One look on every platform, and one that draws buttons in their own background colour.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(kit::defaultWindowFont());

    ScoreStore store(ScoreStore::pathIn(QCoreApplication::applicationDirPath()));
    ClockRandomSource random;
    Quiz quiz([] { return BankLoader(compiledPapersDirectory()).build(); }, store, random);

    FrmMain window(quiz, store);
    window.show();
    return app.exec();
}

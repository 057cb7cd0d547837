// The yardstick for start-up: the least a Qt Widgets program with this program's main window
// furniture needs to show — a menu bar, a status bar and one Japanese label in a named
// Japanese face. The window benchmark runs it beside the real program.
#include "startuptrace.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char *argv[])
{
    using kivola::StartupTrace;
    const StartupTrace::Mode trace = StartupTrace::requestedMode();
    if (trace != StartupTrace::Mode::Off)
        StartupTrace::markStart();
    QApplication app(argc, argv);
    StartupTrace::install(trace);

    QMainWindow window;
    window.setObjectName(QStringLiteral("minimal"));
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.menuBar()->addMenu(QStringLiteral("ファイル(&A)"))->addAction(QStringLiteral("終了"));
    window.menuBar()
        ->addMenu(QStringLiteral("表示(&V)"))
        ->addAction(QStringLiteral("ステータスバー"));
    window.menuBar()
        ->addMenu(QStringLiteral("ヘルプ"))
        ->addAction(QStringLiteral("バージョン情報"));
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("2003/06/10")), 1);
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("22:31")), 1);
    auto *label = new QLabel(QStringLiteral("日本史の正誤問題"), &window);
    label->setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    window.setCentralWidget(label);
    window.resize(319, 254);
    window.show();
    return app.exec();
}

// The yardsticks: the least a Qt Widgets program with this program's main window furniture needs
// to show — a menu bar, a status bar and one Japanese label in a named Japanese face — and the
// least a modal dialog with one Japanese label and a button takes to open from a button press.
// The window benchmark runs it beside the real program.
#include "ui/startuptrace.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
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
    auto *open = new QPushButton(QStringLiteral("日本史の正誤問題"), &window);
    open->setObjectName(QStringLiteral("openDialog"));
    open->setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    open->setDefault(true);
    window.setCentralWidget(open);
    QObject::connect(open, &QPushButton::clicked, &window, [&window] {
        QDialog dialog(&window);
        dialog.setObjectName(QStringLiteral("minimalDialog"));
        dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
        auto *text = new QLabel(QStringLiteral("正しいものを選びなさい。"), &dialog);
        text->setGeometry(16, 16, 240, 24);
        auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setGeometry(96, 56, 80, 28);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        dialog.resize(272, 100);
        dialog.exec();
    });
    window.resize(319, 254);
    window.show();
    return app.exec();
}

#include "controlcheck.h"

#include "twips.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

void checkControl(const QWidget *window, const QString &name, const ControlRow &row)
{
    const auto *control = window->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    const QRect expected(kivola::kit::px(row.twips.x()), kivola::kit::px(row.twips.y()),
        kivola::kit::px(row.twips.width()), kivola::kit::px(row.twips.height()));
    if (row.fits) {
        QCOMPARE(control->pos(), expected.topLeft());
    } else {
        QCOMPARE(control->geometry(), expected);
    }
    if (row.pixelSize > 0) {
        QCOMPARE(control->font().pixelSize(), row.pixelSize);
        QCOMPARE(control->font().bold(), row.bold);
        QCOMPARE(control->font().italic(), row.italic);
        QVERIFY2(isJapaneseGothic(QFontInfo(control->font()).family()),
            qPrintable(QFontInfo(control->font()).family()));
    }
    if (row.color.isValid())
        QCOMPARE(control->palette().color(row.colorRole), row.color);
}

bool isJapaneseGothic(const QString &family)
{
    static const QStringList faces {QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック"),
        QStringLiteral("VL PGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("TakaoPGothic"),
        QStringLiteral("Noto Sans CJK JP")};
    return faces.contains(family);
}

void checkFramed(const QWidget *window)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QTRY_VERIFY(window->frameGeometry().width() > window->width()
            && window->frameGeometry().height() > window->height());
}

void checkCentredOnScreen(QWidget *window)
{
    using kivola::kit::px;
    using kivola::kit::twips;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    checkFramed(window);
    const QRect screen = window->screen()->geometry();
    const QSize outer = window->frameGeometry().size();
    const QPoint centred(px((twips(screen.width()) - twips(outer.width())) / 2),
        px((twips(screen.height()) - twips(outer.height())) / 2));
    QTRY_COMPARE(window->frameGeometry().topLeft(), screen.topLeft() + centred);
}

#include "tests/support/controlcheck.h"

#include "ui/kit/label.h"
#include "ui/kit/shapewidget.h"
#include "ui/kit/twips.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

ControlRow shapeRow(QRect twips, const QColor &fill, const QColor &border, int borderPixels)
{
    ControlRow row {twips};
    row.color = fill;
    row.border = border;
    row.borderPixels = borderPixels;
    return row;
}

ControlRow lineRow(const QColor &color)
{
    ControlRow row;
    row.color = color;
    return row;
}

namespace {

// The colours a shape or line draws, sampled across its left edge at half height (a shape) or
// along its middle (a line).
void checkDrawnColours(QWidget *control, const ControlRow &row)
{
    const QImage image = control->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const auto colourAt
        = [&](qreal x, qreal y) { return image.pixelColor(int(x * ratio), int(y * ratio)); };
    const qreal middle = control->height() / 2.0;
    if (qobject_cast<const kivola::kit::LineWidget *>(control)) {
        QCOMPARE(colourAt(control->width() / 2.0, 0.5), row.color);
        return;
    }
    QCOMPARE(colourAt(control->width() / 2.0, middle), row.color);
    if (row.border.isValid())
        QCOMPARE(colourAt(row.borderPixels / 2.0, middle), row.border);
    QCOMPARE(colourAt(row.borderPixels + 1.0, middle), row.color);
}

} // namespace

void checkControl(const QWidget *window, const QString &name, const ControlRow &row)
{
    auto *control = window->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    const QRect expected(kivola::kit::px(row.twips.x()), kivola::kit::px(row.twips.y()),
        kivola::kit::px(row.twips.width()), kivola::kit::px(row.twips.height()));
    if (row.fits)
        QCOMPARE(control->pos(), expected.topLeft());
    else if (!row.twips.isNull())
        QCOMPARE(control->geometry(), expected);
    if (qobject_cast<const kivola::kit::ShapeWidget *>(control)
        || qobject_cast<const kivola::kit::LineWidget *>(control)) {
        checkDrawnColours(control, row);
        return;
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

void checkCaptionOnBorder(const QWidget *window, const QString &frameName, const QString &labelName)
{
    auto *frame = window->findChild<QWidget *>(frameName);
    QVERIFY2(frame, qPrintable(frameName));
    auto *label = frame->findChild<kivola::kit::Label *>(labelName);
    QVERIFY2(label, qPrintable(labelName));
    const kivola::kit::WrappedText &wrapped = label->wrapped();
    QVERIFY2(!wrapped.lines.isEmpty(), qPrintable(labelName));
    const QImage image = frame->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    // The highest any glyph of the first line may reach, in the image's pixels.
    const int textTop = int(
        (label->y() + wrapped.lines.first().baseline.y() - QFontMetricsF(wrapped.font).ascent())
        * ratio);
    const QColor background = frame->palette().color(QPalette::Window);
    const auto inked = [&](int x, int y) { return image.pixelColor(x, y) != background; };

    // Down the right-hand side nothing but the border crosses the frame's top.
    const int probe = image.width() - int(4 * ratio);
    int borderTop = 0;
    while (borderTop < image.height() && !inked(probe, borderTop))
        ++borderTop;
    int belowBorder = borderTop;
    while (belowBorder < image.height() && inked(probe, belowBorder))
        ++belowBorder;
    QVERIFY2(belowBorder < textTop,
        qPrintable(QStringLiteral("%1: border down to %2, text from %3")
                       .arg(frameName)
                       .arg(belowBorder)
                       .arg(textTop)));

    // The caption reaches above the line and below it, clear of the side lines.
    const auto inkInRows = [&](int from, int to) {
        for (int y = from; y < to; ++y) {
            for (int x = int(3 * ratio); x < image.width() - int(3 * ratio); ++x) {
                if (inked(x, y))
                    return true;
            }
        }
        return false;
    };
    QVERIFY2(inkInRows(0, borderTop), qPrintable(frameName));
    QVERIFY2(inkInRows(belowBorder, textTop), qPrintable(frameName));
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

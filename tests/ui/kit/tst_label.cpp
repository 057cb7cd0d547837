#include "tests/support/uitest.h"
#include "ui/kit/gothicfont.h"
#include "ui/kit/label.h"

#include <QTest>

using namespace kivola;

namespace {

const QString LongText
    = QStringLiteral("鎌倉幕府は、御家人の所領をめぐる訴訟を裁くために引付を置き、"
                     "評定衆とともに審理にあたらせた。");

bool sameLayout(const kit::WrappedText &a, const kit::WrappedText &b)
{
    if (a.font != b.font || a.lines.size() != b.lines.size())
        return false;
    for (qsizetype i = 0; i < a.lines.size(); ++i) {
        if (a.lines.at(i).text != b.lines.at(i).text
            || a.lines.at(i).baseline != b.lines.at(i).baseline)
            return false;
    }
    return true;
}

} // namespace

class TestLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void wrapsAgainWhenItsInputsChange_data();
    void wrapsAgainWhenItsInputsChange();
};

void TestLabel::initTestCase()
{
    uitest::setUpApplication();
}

void TestLabel::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestLabel::wrapsAgainWhenItsInputsChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("text") << "text";
    QTest::newRow("font") << "font";
    QTest::newRow("narrower") << "narrower";
    QTest::newRow("lower") << "lower";
    QTest::newRow("same text") << "same text";
}

// A label keeps the lines it laid out until something they depend on changes; each change must
// leave exactly the lines a fresh layout of the new text, font and size gives.
void TestLabel::wrapsAgainWhenItsInputsChange()
{
    QFETCH(QString, change);
    QWidget window;
    auto *label = new kit::Label(&window, kit::Sizing::Wraps, Qt::AlignLeft);
    label->setGeometry(10, 10, 260, 60);
    label->setFont(kit::gothic(9.75));
    label->setText(LongText);
    window.show();
    const kit::WrappedText before = label->wrapped();

    if (change == QLatin1String("text"))
        label->setText(LongText.left(10));
    else if (change == QLatin1String("font"))
        label->setFont(kit::gothic(12, kit::Weight::Bold));
    else if (change == QLatin1String("narrower"))
        label->resize(120, 60);
    else if (change == QLatin1String("lower"))
        label->resize(260, 16);
    else
        label->setText(LongText);

    const kit::WrappedText fresh
        = kit::wrapText(label->text(), label->font(), label->contentsRect().size(), Qt::AlignLeft);
    QVERIFY(sameLayout(label->wrapped(), fresh));
    QCOMPARE(sameLayout(label->wrapped(), before), change == QLatin1String("same text"));
}

QTEST_MAIN(TestLabel)
#include "tst_label.moc"

#include "tests/support/uitest.h"

#include "ui/kit/gothicfont.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyleFactory>

namespace uitest {

namespace {

constexpr int PollIntervalMs = 5;

} // namespace

void setUpApplication()
{
    kivola::kit::registerGothicSubstitutions();
    // A run as on a system with only this one Japanese face installed.
    const QString onlyFace = qEnvironmentVariable("KIVOLA_TEST_ONLY_FACE");
    if (!onlyFace.isEmpty()) {
        for (const QString &family :
            {QString::fromUtf8(kivola::kit::GothicFamily), QStringLiteral("MS PGothic")}) {
            QFont::removeSubstitutions(family);
            QFont::insertSubstitution(family, onlyFace);
        }
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(kivola::kit::defaultWindowFont());
}

QWidget *activeModal()
{
    return QApplication::activeModalWidget();
}

QWidget *nextFocusable(QWidget *widget)
{
    QWidget *next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

QString textOf(const QWidget *window, const QString &name)
{
    if (const auto *label = window->findChild<QLabel *>(name))
        return label->text();
    const auto *box = window->findChild<QLineEdit *>(name);
    return box ? box->text() : QString();
}

bool noWindowLeft()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return QApplication::topLevelWidgets().isEmpty();
}

ModalScript::ModalScript()
{
    qApp->installEventFilter(this);
}

ModalScript::~ModalScript()
{
    qApp->removeEventFilter(this);
}

bool ModalScript::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow())
        ++m_windowsShown;
    return false;
}

void ModalScript::expect(const QString &windowName, Action action)
{
    m_steps.append({windowName, std::move(action)});
}

void ModalScript::start(int timeoutMs)
{
    m_remainingPolls = timeoutMs / PollIntervalMs;
    m_timer.setInterval(PollIntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
    m_timer.start();
}

void ModalScript::poll()
{
    QWidget *modal = activeModal();
    if (--m_remainingPolls < 0) {
        // Out of time: close whatever is still open, one window a poll, until the caller is free.
        if (modal)
            modal->close();
        return;
    }
    if (m_steps.isEmpty() || !modal || !modal->isVisible()
        || (modal->objectName() != m_steps.first().windowName
            && QLatin1String(modal->metaObject()->className()) != m_steps.first().windowName))
        return;
    if (modal == m_lastActedOn && m_windowsShown == m_windowsShownAtAction)
        return;
    const Step step = m_steps.takeFirst();
    m_lastActedOn = modal;
    m_windowsShownAtAction = m_windowsShown;
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, this, [target, action = step.action] {
        if (target)
            action(target);
    });
}

} // namespace uitest

#include "tests/support/uitest.h"

#include "ui/kit/gothicfont.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyleFactory>
#include <QTimer>

namespace uitest {

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
    const bool windowChange = event->type() == QEvent::Show || event->type() == QEvent::Hide;
    if (windowChange && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
        if (event->type() == QEvent::Show)
            ++m_windowsShown;
        lookSoon();
    }
    return false;
}

void ModalScript::expect(const QString &windowName, Action action)
{
    m_steps.append({windowName, std::move(action)});
}

void ModalScript::start()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            m_before.append(window);
    }
    lookSoon();
}

bool ModalScript::finished(int guardMs)
{
    if (!done()) {
        QEventLoop loop;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, this, &ModalScript::giveUp);
        guard.start(guardMs);
        m_waiting = &loop;
        lookSoon();
        loop.exec();
        m_waiting = nullptr;
    }
    return m_steps.isEmpty() && !m_gaveUp;
}

bool ModalScript::done() const
{
    const QWidget *modal = activeModal();
    return m_steps.isEmpty() && m_actionsRunning == 0 && (!modal || m_before.contains(modal));
}

void ModalScript::giveUp()
{
    m_gaveUp = true;
    m_steps.clear();
    // Closing one window may open the next of its flow; a flow of the program never opens more
    // than a few.
    for (int closed = 0; closed < 100 && activeModal() && !m_before.contains(activeModal());
         ++closed)
        activeModal()->close();
    if (m_waiting)
        m_waiting->quit();
}

void ModalScript::lookSoon()
{
    if (m_lookPending)
        return;
    m_lookPending = true;
    QTimer::singleShot(0, this, &ModalScript::look);
}

void ModalScript::look()
{
    m_lookPending = false;
    if (done()) {
        if (m_waiting)
            m_waiting->quit();
        return;
    }
    QWidget *modal = activeModal();
    if (m_steps.isEmpty() || !modal || !modal->isVisible()
        || (modal->objectName() != m_steps.first().windowName
            && QLatin1String(modal->metaObject()->className()) != m_steps.first().windowName))
        return;
    if (modal == m_lastActedOn && m_windowsShown == m_windowsShownAtAction)
        return;
    const Step step = m_steps.takeFirst();
    m_lastActedOn = modal;
    m_windowsShownAtAction = m_windowsShown;
    ++m_actionsRunning;
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, this, [this, target, action = step.action] {
        if (target)
            action(target);
        --m_actionsRunning;
        lookSoon();
    });
}

} // namespace uitest

#pragma once

#include <QString>

#include <functional>

class QMessageBox;
class QObject;
class QWidget;

namespace kivola {

// Asks a yes-or-no question over the owner and returns at once; onYes runs in the context's
// thread when the answer is yes, and not at all if the context is gone by then. No is the
// default, so that Enter typed ahead changes nothing.
QMessageBox *confirm(const char *name, const QString &text, QWidget *owner, const QObject *context,
    std::function<void()> onYes);

} // namespace kivola

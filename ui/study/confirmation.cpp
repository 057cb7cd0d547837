#include "ui/study/confirmation.h"

#include "ui/kit/modalwindow.h"

#include <QMessageBox>
#include <QPushButton>

namespace kivola {

QMessageBox *confirm(const char *name, const QString &text, QWidget *owner, const QObject *context,
    std::function<void()> onYes)
{
    auto *box = new QMessageBox(QMessageBox::Question, QStringLiteral("Torenza Kivola"), text,
        QMessageBox::Yes | QMessageBox::No, owner);
    box->setObjectName(QString::fromLatin1(name));
    box->button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
    box->button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    QObject::connect(box, &QMessageBox::buttonClicked, context,
        [box, onYes = std::move(onYes)](QAbstractButton *button) {
            if (box->standardButton(button) == QMessageBox::Yes)
                onYes();
        });
    kit::showModal(box);
    return box;
}

} // namespace kivola

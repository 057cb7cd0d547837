#include "ui/frmabout.h"

#include "ui/kit/centeronscreen.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/kit/programicon.h"
#include "ui/kit/windowframe.h"

#include <QLabel>
#include <QPushButton>

namespace kivola {

namespace {

constexpr int IconPixels = 32;

} // namespace

FrmAbout::FrmAbout(QWidget *owner)
    : ModalWindow(owner, "frmAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), {5865, 3525},
        Frame::FixedDialog, Escape::Closes)
{
    using namespace kit;
    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(Twips {240, 240, 540, 540}.toPixels());
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(programIcon().pixmap(IconPixels, IconPixels));
    picIcon->setAccessibleName(QStringLiteral("Torenza Kivola のアイコン"));

    auto *cmdOK = addButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"),
        {4245, 3000, 1467, 345}, defaultWindowFont());
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("Torenza　Kivola"),
        {960, 240, 4695, 615}, gothic(20.25, Weight::Bold, Slant::Italic),
        readableOnWindow(colors::Blue), Sizing::Wraps);
    addLabel(this, QStringLiteral("Label2"),
        QStringLiteral("著作権はトレンザ工房にあります。\n"
                       "作成日：2003年6月7日\n"
                       "Copyright (C) 2001-2003 Torenza Kobo"),
        {240, 2640, 3870, 825}, gothic(9.75), windowTextColor(), Sizing::Wraps);
    addLabel(this, indexedName("VTitle", 2),
        QStringLiteral("企画・制作　トレンザ工房\nhttp://www.torenza.example.jp/"),
        {840, 1680, 4575, 495}, gothic(12, Weight::Bold), windowTextColor(), Sizing::Wraps);
    addLabel(this, indexedName("VTitle", 1), QStringLiteral("Version 1.0"), {2160, 960, 1575, 255},
        gothic(12, Weight::Bold), readableOnWindow(colors::Red), Sizing::Fixed, Qt::AlignHCenter);
    addLine(this, indexedName("Line1", 1), {225, 2430}, {5657, 2430}, colors::Grey, 1);
    addLine(this, indexedName("Line1", 0), {240, 2445}, {5657, 2445}, colors::White, 2);
    stackInListedOrder(this);
    cmdOK->setFocus();
    // Placed explicitly, its outer frame centred over its owner's: window managers otherwise
    // place dialogs by their own rules.
    if (owner) {
        WindowFrame::place(this, [this, ownerWindow = owner->window()](QMargins frame) {
            WindowFrame::setFrameGeometry(this,
                centeredPosition(size().grownBy(frame), ownerWindow->frameGeometry()), size(),
                frame);
        });
    }
}

} // namespace kivola

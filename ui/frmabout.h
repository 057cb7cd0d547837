#pragma once

#include "ui/kit/modalwindow.h"

namespace kivola {

// The version window: icon, product name, version, credit and notices; closes on OK, Enter or
// Escape. It opens centred over its owner.
class FrmAbout : public kit::ModalWindow
{
    Q_OBJECT

public:
    explicit FrmAbout(QWidget *owner);
};

} // namespace kivola

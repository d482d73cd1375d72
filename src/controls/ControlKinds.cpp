#include "ControlKinds.h"

#include "DialogTemplate.h"
#include "FlatButton.h"
#include "PictureBox.h"
#include "TransparentStatic.h"

namespace {


Qt::Alignment LabelAlignment(style::Flags s) {
    Qt::Alignment a = (s & style::Center) ? Qt::AlignHCenter
                      : (s & style::Right) ? Qt::AlignRight
                                           : Qt::AlignLeft;
    return a | ((s & style::VCenter) ? Qt::AlignVCenter : Qt::AlignTop);
}

}  // namespace

void RegisterProgramControls() {
    RegisterControlFactory(ControlKind::FlatButton,
                           [](const ControlTemplate& c, QWidget* parent) -> QWidget* {
                               return new CFlatButton(WithoutMnemonic(QString::fromUtf16(c.text)), parent);
                           });
    RegisterControlFactory(ControlKind::TransparentLabel,
                           [](const ControlTemplate& c, QWidget* parent) -> QWidget* {
                               auto* label = new CTransparentStatic(WithoutMnemonic(QString::fromUtf16(c.text)), parent);
                               label->setAlignment(LabelAlignment(c.style));
                               // A one-line label (vertically centred) never wraps.
                               label->setWordWrap(!(c.style & style::VCenter));
                               return label;
                           });
    RegisterControlFactory(ControlKind::PictureBox,
                           [](const ControlTemplate&, QWidget* parent) -> QWidget* {
                               return new CPictureBox(parent);
                           });
}

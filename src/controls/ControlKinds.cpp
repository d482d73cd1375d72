#include "ControlKinds.h"

#include "DialogTemplate.h"
#include "FlatButton.h"
#include "PictureBox.h"
#include "TransparentStatic.h"

namespace {

// Captions in templates mark keyboard mnemonics with '&' ("&&" for an ampersand); the
// controls keep the caption as it is shown.
QString WithoutMnemonic(const char16_t* raw) {
    const QString text = QString::fromUtf16(raw);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

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
                               return new CFlatButton(WithoutMnemonic(c.text), parent);
                           });
    RegisterControlFactory(ControlKind::TransparentLabel,
                           [](const ControlTemplate& c, QWidget* parent) -> QWidget* {
                               auto* label = new CTransparentStatic(WithoutMnemonic(c.text), parent);
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

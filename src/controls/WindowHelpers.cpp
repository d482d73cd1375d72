#include "WindowHelpers.h"

#include <QLabel>
#include <locale>
#include <sstream>

#include "Seams.h"
#include "SharedRoutines.h"
#include "TransparentStatic.h"

void SetLabelLook(QLabel* label, const QFont& font, COLORREF colour) {
    if (!label) return;
    label->setFont(font);
    if (auto* transparent = qobject_cast<CTransparentStatic*>(label)) transparent->textColor = colour;
    label->update();
}

Text FloatText(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return FromUtf8(out.str());
}

bool AskYesNo(QWidget* parent, const std::u16string& text, const std::u16string& caption,
              YesNoDefault enter, unsigned icon) {
    const unsigned defaultButton = enter == YesNoDefault::No ? MB_DEFBUTTON2 : 0;
    return MessageBox(parent, text, caption, MB_YESNO | icon | defaultButton) == IDYES;
}

#include "WindowHelpers.h"

#include <QFontMetrics>
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

QString ElideBirdText(const QString& text, const QFontMetrics& metrics, int width) {
    const qsizetype bracket = text.indexOf(QStringLiteral(" ["));
    return ElideKeepingRing(text, bracket < 0 ? text.size() : bracket, metrics, width);
}

QString ElideKeepingRing(const QString& text, qsizetype ringLength, const QFontMetrics& metrics,
                         int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    const QString ring = text.left(ringLength);
    if (ringLength < text.size()) {
        const QString rest = metrics.elidedText(text.mid(ringLength), Qt::ElideRight,
                                                width - metrics.horizontalAdvance(ring));
        if (!rest.isEmpty() && metrics.horizontalAdvance(ring + rest) <= width) return ring + rest;
    }
    return metrics.elidedText(ring, Qt::ElideMiddle, width);
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

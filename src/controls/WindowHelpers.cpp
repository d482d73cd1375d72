#include "WindowHelpers.h"

#include <QFontMetrics>
#include <QLabel>
#include <locale>
#include <sstream>

#include "Seams.h"
#include "Shell.h"
#include "SharedRoutines.h"
#include "TransparentStatic.h"

bool OpenWebAddress(QWidget* parent, const QString& address) {
    if (shell::Open(address)) return true;
    MessageBox(parent,
               QStringLiteral("Nie udało się otworzyć strony internetowej:\n%1\n"
                              "Sprawdź, czy w systemie jest ustawiona przeglądarka internetowa.")
                   .arg(address),
               QString(), MB_OK | MB_ICONWARNING);
    return false;
}

bool StartCalculatorOrSay(QWidget* parent) {
    if (shell::StartCalculator()) return true;
    const QString calculator = shell::FindCalculator();
    const QString text =
        calculator.isEmpty()
            ? QStringLiteral("Nie można uruchomić kalkulatora: w systemie nie ma żadnego z "
                             "programów %1.")
                  .arg(shell::CalculatorCandidates().join(QStringLiteral(", ")))
            : QStringLiteral("Nie udało się uruchomić kalkulatora:\n%1").arg(calculator);
    MessageBox(parent, text, QString(), MB_OK | MB_ICONWARNING);
    return false;
}

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

QStringList WrapKeepingRing(const QString& text, qsizetype ringLength, const QFontMetrics& metrics,
                            int width, int maxLines) {
    QStringList lines;
    qsizetype start = 0;
    while (static_cast<int>(lines.size()) + 1 < maxLines &&
           metrics.horizontalAdvance(text.mid(start)) > width) {
        // The most whole words from `start` that fit the line.
        qsizetype end = -1;
        for (qsizetype space = text.indexOf(QLatin1Char(' '), start); space >= 0;
             space = text.indexOf(QLatin1Char(' '), space + 1)) {
            if (metrics.horizontalAdvance(text.mid(start, space - start)) > width) break;
            end = space;
        }
        // A first word wider than the line: the rest is cut on this line.
        if (end <= start) break;
        lines << text.mid(start, end - start);
        start = end + 1;
    }
    const QString rest = text.mid(start);
    lines << (start < ringLength ? ElideKeepingRing(rest, ringLength - start, metrics, width)
                                 : metrics.elidedText(rest, Qt::ElideRight, width));
    return lines;
}

bool SameWords(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\n'); };
        if (a[i] != b[i] && !(blank(a[i]) && blank(b[i]))) return false;
    }
    return true;
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

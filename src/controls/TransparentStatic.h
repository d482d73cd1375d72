#pragma once
// A label drawn straight over its parent's painted background, in a text colour of its own.
// When its text changes, the parent's background shows through again under the new text.

#include <QLabel>

#include "Dc.h"

// What an elided label's text begins with: anything, or a bird's ring (up to " [name]" or its
// first line break), whose end tells birds apart.
enum class ElidedText { Plain, StartsWithRing };

class CTransparentStatic : public QLabel {
    Q_OBJECT
public:
    explicit CTransparentStatic(QWidget* parent = nullptr);
    explicit CTransparentStatic(const QString& text, QWidget* parent = nullptr);

    // Set by the owner before the label is first shown (black unless changed).
    COLORREF textColor = RGB(0, 0, 0);
    // A text longer than the label's rectangle ends in "…" on the last line that fits (wrapped
    // at words when the label wraps, a word wider than the label cut on its own line; a label
    // that does not wrap cuts each line of its text on its own), and the whole text becomes the
    // label's tooltip. A text that starts with a ring is cut as the rankings' bird columns cut
    // it (ElideKeepingRing): where the ring's line is cut, the ring keeps its end and only then
    // loses its middle.
    void SetElided(bool on, ElidedText kind = ElidedText::Plain);

    // The text as drawn in the label's present size.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextArea() const;

    bool elided_ = false;
    ElidedText kind_ = ElidedText::Plain;
};

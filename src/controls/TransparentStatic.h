#pragma once
// A label drawn straight over its parent's painted background, in a text colour of its own.
// When its text changes, the parent's background shows through again under the new text.

#include <QLabel>

#include "Dc.h"

class CTransparentStatic : public QLabel {
    Q_OBJECT
public:
    explicit CTransparentStatic(QWidget* parent = nullptr);
    explicit CTransparentStatic(const QString& text, QWidget* parent = nullptr);

    // Set by the owner before the label is first shown (black unless changed).
    COLORREF textColor = RGB(0, 0, 0);
    // A text longer than the label's rectangle ends in "…" on the last line that fits (wrapped
    // at words when the label wraps; a label that does not wrap cuts each line of its text on
    // its own), and the whole text becomes the label's tooltip.
    void SetElided(bool on);

    // The text as drawn in the label's present size.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextArea() const;

    bool elided_ = false;
};

#pragma once
// The flat push button of the program's dialogs: a white face with a thin frame that lights up
// in the highlight colour under the mouse and darkens while pressed.

#include <QPushButton>

#include "Dc.h"
#include "HoverTracker.h"

// Draw states of a button face.
inline constexpr unsigned ODS_SELECTED = 0x0001;   // pressed
inline constexpr unsigned ODS_DISABLED = 0x0004;
inline constexpr unsigned ODS_FOCUS = 0x0010;

class CFlatButton : public QPushButton {
    Q_OBJECT
public:
    explicit CFlatButton(QWidget* parent = nullptr);
    explicit CFlatButton(const QString& text, QWidget* parent = nullptr);

    bool IsHot() const { return tracker_.IsHot(); }
    // The draw state of the button as it is now (ODS_ bits).
    unsigned ItemState() const;
    // True when the button is its dialog's default button (the one Enter presses).
    bool IsDefaultOfParent() const;

    // Sets the caption with each of its lines cut to the button's width with "…" where cut (a
    // line that wrapped would run off the button's foot), the first line as `firstLine` says
    // (in its middle for a ring, whose end tells birds apart: a ring first takes the lines the
    // caption leaves free on the button, broken at its spaces), the others at their end; the
    // whole text then becomes the tooltip.
    void SetElidedText(const QString& text, Qt::TextElideMode firstLine = Qt::ElideRight);

    // Draws the face into `dc` over `item` for the given state. The hover state and the
    // default-button frame come from the button itself.
    void DrawItem(Dc& dc, const Rect& item, unsigned state);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    CHoverTracker tracker_;
};

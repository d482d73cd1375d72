#pragma once
// Whether the mouse is over a window, for controls that light up under the mouse.
//
// The owner feeds it its mouse-move and mouse-leave events; on entering and leaving it
// repaints the bound window (option kHoverInvalidate) and/or has it lay out its frame again
// (option kHoverFrameChanged).

#include <QPointer>
#include <QWidget>
#include <cstdint>

inline constexpr std::uint16_t kHoverInvalidate = 1;
inline constexpr std::uint16_t kHoverFrameChanged = 2;

struct CHoverTracker {
    QPointer<QWidget> window;          // the window the tracker is bound to
    QPointer<QWidget> trackedWindow;   // the window the mouse was last seen over
    std::uint16_t options = 0;
    bool hot = false;

    QWidget* Attach(QWidget* w, std::uint16_t opts);
    bool IsHot() const { return hot; }
    // A null window means the bound one. True when the mouse has just entered.
    bool OnMouseMove(QWidget* w = nullptr);
    // True when the mouse left the window it was tracked over.
    bool OnMouseLeave(QWidget* w = nullptr);

private:
    void Refresh();
};

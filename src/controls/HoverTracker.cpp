#include "HoverTracker.h"

QWidget* CHoverTracker::Attach(QWidget* w, std::uint16_t opts) {
    window = w;
    options = opts;
    return w;
}

void CHoverTracker::Refresh() {
    if (!window) return;
    // Hover changes repaint without erasing: the owner draws its whole face anyway.
    if (options & kHoverInvalidate) window->update();
    if (options & kHoverFrameChanged) {
        window->updateGeometry();
        window->update();
    }
}

bool CHoverTracker::OnMouseMove(QWidget* w) {
    if (!w) w = window;
    if (!hot) {
        hot = true;
        Refresh();
        trackedWindow = w;
        return true;
    }
    // Still hot: moving onto another window only moves the tracking there.
    if (w != trackedWindow) trackedWindow = w;
    return false;
}

bool CHoverTracker::OnMouseLeave(QWidget* w) {
    if (!w) w = window;
    if (w != trackedWindow) return false;
    hot = false;
    Refresh();
    return true;
}

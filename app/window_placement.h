#pragma once
// Where the program's windows go on the screen: free functions over rectangles in screen
// coordinates, so the choices are tested without a window system. Positions are those of a
// window's frame (its top left corner including the title bar), as the settings file keeps them.
#include <optional>

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace noctaris {

// The frame position that centres a frame of `frameSize` on `area`.
QPoint CentredPosition(QSize frameSize, const QRect& area);

// Where a window whose frame is `frameSize` opens when it was stored at `wanted`: there when a
// good part of the frame lies on one of the screens' work areas `screens`, else centred on
// `fallback` (the primary screen's work area; nothing centres when it is empty). A position on a
// screen that is gone would leave the window where nobody can see it. A frame kept is moved
// wholly onto the screen holding most of it (its top left stays on it when it is too large).
QPoint VisiblePosition(QPoint wanted, QSize frameSize, const QList<QRect>& screens, const QRect& fallback);

// Where a modal window whose frame is `frameSize` opens over its parent's frame `parentFrame`:
// centred on it a little down and right, wholly inside the work area `available` where it fits.
QPoint ModalPosition(QSize frameSize, const QRect& parentFrame, const QRect& available);

// An information window to be laid out: its frame's size, and its frame where it is already
// (open, or placed by the user before) or nothing when it still needs a place.
struct InfoWindowSlot {
    QSize frameSize;
    std::optional<QRect> placed;
};

// Where the information windows go (the frame's top left of each, in order; a placed window
// stays where it is). They are laid out together, so the first to open leaves room for the
// others: inside the work area `available`, clear of each other, of the main window's menu and
// toolbar (the part of `mainFrame` above `chartArea`) and of the chart's centre (in that order
// when not all can be had), and covering as little as they can of the main window. Each window
// tries the places beside and just inside the main window's right and left edges, level with the
// chart's top, the frame's top or bottom, just below or above the centre, or above or below the
// main window; of equally good layouts the first wins, so the first window goes to the right.
QList<QPoint> InfoWindowLayout(const QList<InfoWindowSlot>& windows, const QRect& mainFrame, const QRect& chartArea,
                               const QRect& available);

}  // namespace noctaris

#pragma once
// What SDL cannot do for an X window. Outlines: the window's region becomes both its bounding shape
// (what is drawn) and its input shape (what receives clicks), so clicks in a cut-out part reach whatever
// lies below. Display pointers are passed as void* to keep Xlib's macros out of this header.

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Region.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace qor {

struct XWindowId {
    void* display = nullptr; // Display* of SDL's own connection
    unsigned long window = 0;
};
// The X window behind an SDL window (sdlWindow is an SDL_Window*); empty when not on X11.
XWindowId XWindowOfSdl(void* sdlWindow);

struct RectBatch {
    std::size_t first = 0;
    std::size_t count = 0;
};

// Splits banded rectangles (sorted by top, then left) into batches of at most about maxRects, each
// ending at the end of a band, so that every request stays well below the X request size limit.
// A single band longer than maxRects forms a batch of its own.
std::vector<RectBatch> ShapeBatches(const std::vector<Rect>& rects, std::size_t maxRects);

// Gives the X window this outline; an empty region restores the plain rectangle. xDisplay is a
// Display*. False when the server has no Shape extension.
bool ApplyXShape(void* xDisplay, unsigned long xWindow, const Region& region);

// Where the pointer is on the screen, asked of the server; false when it cannot say.
bool QueryXPointer(void* xDisplay, Point& screen);

// Removes the window's icon (SDL can set one but not take it away).
void ClearXIcon(void* xDisplay, unsigned long xWindow);

// Makes Xlib safe for threads; must come before any other Xlib call of the process (SDL does the same,
// but only once it starts, and our own connection may come first).
void PrepareXThreads();
// Runs attempt until it succeeds, a few times over about a third of a second. An X server that resets
// when its last client leaves (a bare virtual display between two short-lived clients) drops every
// connection still being set up at that moment; the same connection made a moment later is served.
bool RetryWhileServerResets(const std::function<bool()>& attempt);
// A connection of our own to the display named by DISPLAY, so that the screen can be measured while
// SDL is still starting. Null when there is no display.
void* OpenXDisplay();
void CloseXDisplay(void* xDisplay);
// The primary monitor's size (what SDL calls display 0), or the first monitor's; the whole screen when
// the server cannot tell monitors apart.
Size XScreenSize(void* xDisplay);

// Keeps a moot X error from ending the program (Xlib's default handler exits on any error): an event
// sent to a window destroyed a moment earlier. Every other error goes to the handler installed before.
void InstallXErrorFilter();

} // namespace qor

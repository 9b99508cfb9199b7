// The floor pictures drawn with the system's own 2D drawing, for a display
// whose OpenGL cannot draw the water: windows over every monitor (or a
// still picture in a preview's pane) that show one picture, or one fading
// into another, and nothing else. Between changes they draw nothing; a
// window that is uncovered paints itself again from what it last showed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop_monitors.h"
#include "platform/host_window.h"

// A picture to show: size x size pixels of blue, green and red bytes, bottom
// row first, size x 3 bytes a row.
struct CoverPicture {
    int size = 0;
    std::vector<unsigned char> rows;
};

// Picture `index` (0 to 7), decoded; it stays valid until the next call. The
// cover asks only for the pictures it is told to show.
using CoverPictures = std::function<const CoverPicture&(int index)>;

class PictureCover {
  public:
    virtual ~PictureCover() = default;
    // Shows picture `from` blended towards picture `to` by `blend` (0: `from`
    // alone, 1: `to` alone) on every window, each picture filling its window
    // the way the water's floor does, cut to the window's shape.
    virtual void show(int from, int to, float blend) = 0;
    // Handles the windows' messages for up to `seconds`; false once the run
    // is to end: a key or a mouse button (not a move), a close, the quit
    // request, or a preview's host disabling or destroying its window.
    virtual bool wait(double seconds) = 0;
};

// One window above everything on each monitor; `note` is written small in
// the lower left corner of the monitor `mainMonitor` indexes. With
// `mainOnly` the other monitors' windows stay black. Null where the system
// offers no such drawing (the Linux build says why in words instead).
std::unique_ptr<PictureCover> openPictureCover(const std::vector<ScreenRect>& monitors,
                                               int mainMonitor, const std::string& note,
                                               CoverPictures pictures, bool mainOnly);

// A window filling the host's preview pane, for one still picture.
std::unique_ptr<PictureCover> openPicturePreview(NativeWindowHandle host, CoverPictures pictures);

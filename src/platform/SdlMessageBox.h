// Message boxes on SDL: a small modal window of our own with the text and an
// OK button, owned by the demo's main window where there is one.
//
// Our own rather than SDL_ShowSimpleMessageBox, whose X11 box never takes the
// keyboard focus on an X server without a window manager and leaves a
// full-screen owner to be minimised when the focus goes to the box. This box
// is modal for (transient for) its owner, so a window manager keeps it above
// a full-screen owner; it takes the keyboard focus when it appears; Enter,
// Space, Escape, a click on OK or a close request end it; then the owner is
// raised and gets the focus back. While the box is open the owner takes no
// input; its other events (size changes, a close request) wait for the frame
// loop.
#pragma once
#include <string>

struct SDL_Window;

namespace wf {

// Blocks until the box is dismissed. Returns false, at once, when no box
// could be shown (no video, no window).
bool showSdlMessageBox(const std::string& caption, const std::string& text, SDL_Window* owner);

}  // namespace wf

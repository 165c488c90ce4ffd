// The canvas's DOM events turned into the host's input events: mouse
// positions from the scaled canvas back to pixels of the 640 x 480 frame,
// the left button, the keys as Win32 virtual-key codes, focus as activation.
#ifndef KELVANE_PLATFORM_HOST_WEB_WEB_EVENTS_H
#define KELVANE_PLATFORM_HOST_WEB_WEB_EVENTS_H

namespace platform {

class WebHost;

// Registers the listeners that feed `host` with the events of its canvas.
void listenToCanvas(WebHost& host);
// Removes every listener, so that a program that ended hears nothing more.
void stopListening();

}  // namespace platform

#endif

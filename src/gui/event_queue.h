// The program events of both backends: what a user's action became (gadget, menu, close,
// right press), queued until WaitEvent hands it out. Each backend turns its toolkit's input
// into these and lends WaitEvent its way of handling and waiting for input; the editor sees
// only gui.h.
#pragma once

#include "gui.h"

#include <deque>
#include <functional>

namespace guievents {

constexpr int KeepSource = -0x7FFFFFFF; // a close event leaves the last source as it was

struct RecordedEvent {
    int code = 0, source = 0, subtype = 0, window = -1;
};

struct EventState {
    std::deque<RecordedEvent> queue;
    RecordedEvent last;
    int waiting = 0; // > 0 while WaitEvent runs: only then do user actions become events
    int quiet = 0;   // > 0 while the layer itself changes gadgets for the logic
    bool quitRequested = false;
    std::function<void()> beforeWait;
};
EventState& Events();

// Changes the logic makes to its own gadgets are not user actions and report nothing.
struct QuietScope {
    QuietScope() { ++Events().quiet; }
    ~QuietScope() { --Events().quiet; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;
};

void QueueEvent(int code, int source, int subtype, int window);  // also outside WaitEvent
void RecordEvent(int code, int source, int subtype, int window); // a user's, while waiting
void RecordCloseEvent(int window);
void ResetEvents(); // a new start: nothing queued or taken, no quit asked

// What WaitEvent asks of the backend, in this order, until an event is queued: settle (apply
// what the logic left pending), whether any window is open, handle the input already there
// without blocking, and (when the before-wait hook has nothing to do) block until more comes.
struct EventPump {
    void (*settle)();
    bool (*anyWindow)();
    void (*handlePending)();
    void (*waitForMore)();
};
int WaitForEvent(const EventPump& pump);

} // namespace guievents

#include "event_queue.h"

namespace guievents {

EventState& Events() {
    static EventState events;
    return events;
}

void QueueEvent(int code, int source, int subtype, int window) {
    Events().queue.push_back({code, source, subtype, window});
}

void RecordEvent(int code, int source, int subtype, int window) {
    if (Events().waiting > 0 && Events().quiet == 0) QueueEvent(code, source, subtype, window);
}

void RecordCloseEvent(int window) { RecordEvent(CloseEvent, KeepSource, 0, window); }

void ResetEvents() {
    Events().queue.clear();
    Events().last = {};
    Events().quitRequested = false;
}

int WaitForEvent(const EventPump& pump) {
    EventState& events = Events();
    ++events.waiting;
    struct Leave {
        ~Leave() { --Events().waiting; }
    } leave;
    for (;;) {
        pump.settle();
        if (!events.queue.empty()) {
            RecordedEvent event = events.queue.front();
            events.queue.pop_front();
            if (event.source == KeepSource) event.source = events.last.source;
            events.last = event;
            return event.code;
        }
        // With no window left nothing can ever arrive: waiting would never end.
        if (events.quitRequested || !pump.anyWindow()) return QuitEvent;
        pump.handlePending();
        if (!events.queue.empty() || events.quitRequested) continue;
        if (events.beforeWait) {
            const std::function<void()> hook = events.beforeWait; // the hook may replace itself
            hook();
            continue;
        }
        pump.waitForMore();
    }
}

} // namespace guievents

using namespace guievents;

int EventSource() { return Events().last.source; }
int EventSubtype() { return Events().last.subtype; }

void RequestQuit() { Events().quitRequested = true; }
void ClearQuitRequest() { Events().quitRequested = false; }

void SetBeforeWaitHook(std::function<void()> hook) { Events().beforeWait = std::move(hook); }

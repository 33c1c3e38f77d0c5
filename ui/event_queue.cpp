#include "ui/event_queue.h"

#include <algorithm>

namespace quillobar {

void EventQueue::add(const Event& event) {
    if (programChanges_ > 0) return;
    if (!events_.empty() && events_.back() == event) return;
    events_.push_back(event);
}

bool EventQueue::take(Event& event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void EventQueue::removeControl(int id) {
    std::erase_if(events_, [id](const Event& e) { return e.kind == EventKind::Control && e.id == id; });
}

void EventQueue::removeWindow(int window) {
    std::erase_if(events_, [window](const Event& e) { return e.window == window; });
}

}  // namespace quillobar

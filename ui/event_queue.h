// The program's events and the one first-in, first-out queue the window
// procedures fill while messages are dispatched.
#pragma once

#include <cstdint>
#include <deque>

namespace quillobar {

enum class EventKind { Control, CloseWindow, OtherWindow };

struct Event {
    EventKind kind = EventKind::OtherWindow;
    int id = 0;            // the control's number for a control event
    int window = 0;        // the number of the window it happened in
    std::uint32_t type = 0;  // the notification code

    bool operator==(const Event&) const = default;
};

class EventQueue {
public:
    // Adds the event unless the program is changing a control, or the
    // newest queued event is the same in all four values.
    void add(const Event& event);
    bool take(Event& event);
    bool empty() const { return events_.empty(); }
    std::size_t size() const { return events_.size(); }

    // A destroyed control's events leave the queue with it.
    void removeControl(int id);
    // A closed window's events leave the queue with it.
    void removeWindow(int window);

    // While a ProgramChange lives, nothing is added.
    class ProgramChange {
    public:
        explicit ProgramChange(EventQueue& queue) : queue_(queue) { ++queue_.programChanges_; }
        ~ProgramChange() { --queue_.programChanges_; }
        ProgramChange(const ProgramChange&) = delete;
        ProgramChange& operator=(const ProgramChange&) = delete;

    private:
        EventQueue& queue_;
    };

private:
    std::deque<Event> events_;
    int programChanges_ = 0;
};

}  // namespace quillobar

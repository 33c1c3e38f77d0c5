// The event queue's three rules.
#include <gtest/gtest.h>

#include "ui/event_queue.h"

namespace quillobar {
namespace {

constexpr Event kSlider{EventKind::Control, 17, 13, 8};
constexpr Event kSliderOtherCode{EventKind::Control, 17, 13, 4};
constexpr Event kStart{EventKind::Control, 20, 13, 0};
constexpr Event kClose{EventKind::CloseWindow, 13, 13, 0x10};

std::vector<Event> takeAll(EventQueue& queue) {
    std::vector<Event> out;
    Event e;
    while (queue.take(e)) out.push_back(e);
    return out;
}

TEST(EventQueue, AnEventEqualToTheNewestIsNotAddedAgain) {
    EventQueue queue;
    for (const Event& e : {kSlider, kSlider, kSliderOtherCode, kSlider, kStart, kStart, kSlider}) queue.add(e);
    EXPECT_EQ(takeAll(queue), (std::vector<Event>{kSlider, kSliderOtherCode, kSlider, kStart, kSlider}));
}

TEST(EventQueue, NothingIsAddedWhileTheProgramChangesAControl) {
    EventQueue queue;
    {
        EventQueue::ProgramChange outer(queue);
        queue.add(kSlider);
        {
            EventQueue::ProgramChange inner(queue);
            queue.add(kStart);
        }
        queue.add(kClose);
    }
    queue.add(kStart);
    EXPECT_EQ(takeAll(queue), (std::vector<Event>{kStart}));
}

TEST(EventQueue, ADestroyedControlsEventsLeaveTheQueue) {
    EventQueue queue;
    const Event picture{EventKind::Control, 26, 13, 0};
    const Event closeWithSameNumber{EventKind::CloseWindow, 26, 13, 0};
    for (const Event& e : {picture, kStart, picture, closeWithSameNumber}) queue.add(e);
    queue.removeControl(26);
    EXPECT_EQ(takeAll(queue), (std::vector<Event>{kStart, closeWithSameNumber}));
}

}  // namespace
}  // namespace quillobar

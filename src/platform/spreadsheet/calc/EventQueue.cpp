#include "platform/spreadsheet/calc/EventQueue.h"

namespace lumitag::platform::calc {

void EventQueue::push(HostEvent event) {
    std::lock_guard lock(mutex_);
    if (!events_.empty() && events_.back() == event) {
        return;
    }
    events_.push_back(event);
}

std::deque<HostEvent> EventQueue::takeAll() {
    std::lock_guard lock(mutex_);
    std::deque<HostEvent> taken;
    taken.swap(events_);
    return taken;
}

std::size_t EventQueue::size() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

} // namespace lumitag::platform::calc

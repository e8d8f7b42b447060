#pragma once

#include <cstddef>
#include <deque>
#include <mutex>

namespace lumitag::platform::calc {

enum class HostEvent { SheetActivated, SelectionChanged, SheetChanged };

// Events the spreadsheet raises on its own threads, kept until the
// user-interface thread takes them. An event equal to the last one still
// waiting is dropped: a burst of selection changes while the user drags the
// mouse reaches the program once.
class EventQueue {
public:
    void push(HostEvent event);
    // Everything queued so far, oldest first; the queue is empty afterwards.
    std::deque<HostEvent> takeAll();
    std::size_t size() const;

private:
    mutable std::mutex mutex_;
    std::deque<HostEvent> events_;
};

} // namespace lumitag::platform::calc

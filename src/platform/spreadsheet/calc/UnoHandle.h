#pragma once

namespace lumitag::platform::calc {

// A workbook, worksheet or range handed out by the host. Its UNO references
// die with the connection they came through: the session lets go of them when
// the connection ends, because the UNO runtime would otherwise hand the dead
// objects out again to a new connection to the same office.
class UnoHandle {
public:
    virtual ~UnoHandle() = default;
    // Runs on the gate thread; afterwards every operation of the handle fails.
    virtual void releaseUno() = 0;
};

} // namespace lumitag::platform::calc

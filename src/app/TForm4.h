#pragma once

#include "ui/Form.h"

namespace lumitag::app {

// The hidden main form: it owns the program's lifetime and is never shown.
// Closing it ends the program.
class TForm4 : public ui::Form {
public:
    explicit TForm4(ui::Application& application) : Form(application, "TForm4") {}
};

} // namespace lumitag::app

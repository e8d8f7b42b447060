#pragma once

#include "ui/Form.h"

namespace lumitag::app {

// The column width / row height / print correction dialog, created hidden.
class TForm5 : public ui::Form {
public:
    explicit TForm5(ui::Application& application) : Form(application, "TForm5") {
        setCaption(U"列幅・行高さ・印刷補正設定");
        setBounds({300, 200, 300, 200});
    }
};

} // namespace lumitag::app

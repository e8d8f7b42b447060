#pragma once

#include "platform/Text.h"
#include "ui/Events.h"
#include "ui/Geometry.h"
#include "ui/Handler.h"

#include <string>
#include <vector>

namespace lumitag::ui {

class Application;
class Form;
class PopupMenu;

// What a control is, for a renderer that draws each kind its own way.
enum class ControlKind {
    Form,
    Panel,
    Label,
    Edit,
    Button,
    SpeedButton,
    CheckBox,
    RadioButton,
    RadioGroup,
    ComboBox,
    StringGrid,
};

// Whether a control takes the keyboard focus. A click focuses a control that
// takes the focus; Tab visits it when it is also a tab stop.
enum class FocusPolicy { NoFocus, TakesFocus };

// Who caused a change: the user's input, or code setting a property.
enum class ChangeSource { Code, User };

// The base of every control and of Form. A control belongs to its parent for
// the whole of its life (windows hold their controls as members), so parent
// and children are plain pointers; the parent never owns a child.
class Control {
public:
    Control(Control& parent, std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlKind kind() const = 0;
    virtual FocusPolicy focusPolicy() const { return FocusPolicy::NoFocus; }

    const std::string& name() const { return name_; }
    Control* parent() const { return parent_; }
    Form& form() const { return *form_; }
    Application& application() const { return *application_; }
    // Children in z-order: the first is at the bottom, the last on top.
    const std::vector<Control*>& children() const { return children_; }
    void bringToFront();
    void sendToBack();

    // Bounds relative to the parent's client area.
    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    void setPosition(int left, int top);
    void setSize(int width, int height);
    int left() const { return bounds_.left; }
    int top() const { return bounds_.top; }
    int width() const { return bounds_.width; }
    int height() const { return bounds_.height; }
    // The control's top-left corner in its form's client coordinates.
    Point formPosition() const;

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Visible itself and every parent up to and including the form.
    bool showing() const;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Enabled itself and every parent up to and including the form.
    bool effectivelyEnabled() const;

    // The background colour; follows the parent's while parentColor() is set.
    Color color() const;
    void setColor(Color color);
    bool parentColor() const { return parentColor_; }
    void setParentColor(bool follow);

    // The font; follows the parent's while parentFont() is set.
    Font font() const;
    void setFont(const Font& font);
    bool parentFont() const { return parentFont_; }
    void setParentFont(bool follow);

    // The caption of forms, panels, labels, buttons, check and radio boxes.
    // "&X" marks X as the accelerator; "&&" is a literal "&".
    const Text& caption() const { return caption_; }
    void setCaption(const Text& caption);
    // The accelerator character of the caption (upper-cased for letters), or 0.
    char32_t accelerator() const;

    const Text& hint() const { return hint_; }
    void setHint(const Text& hint);
    // The own show-hint flag; setting it stops following the parent.
    void setShowHint(bool show);
    bool ownShowHint() const { return showHint_; }
    bool parentShowHint() const { return parentShowHint_; }
    void setParentShowHint(bool follow);
    // The flag in effect: the own one, or the parent's while following it.
    bool showHintInEffect() const;

    bool tabStop() const { return tabStop_; }
    void setTabStop(bool tabStop);
    // Position among the siblings when Tab moves the focus; lower goes first.
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order);

    PopupMenu* popupMenu() const { return popupMenu_; }
    void setPopupMenu(PopupMenu* menu);

    bool focused() const;
    // Asks the form to move the focus here; false when refused (hidden,
    // disabled, not focusable, or an exit handler kept the focus).
    bool setFocus();
    // Able to take the focus now: focusable, showing within its form and enabled.
    bool canFocus() const;

    // The topmost visible child (searched recursively) under a point in this
    // control's client coordinates; this control when no child lies there.
    Control* controlAt(Point local);

    // Painting: changing a control invalidates it; the application's idle step
    // paints invalid controls that are showing.
    void invalidate();
    bool invalid() const { return invalid_; }

    // Events, one handler each (see Handler.h); the key handlers may consume.
    Handler<void()> onClick;
    Handler<void()> onDblClick;
    Handler<void(const MouseEvent&)> onMouseDown;
    Handler<void(const MouseEvent&)> onMouseUp;
    Handler<void(const MouseEvent&)> onMouseMove;
    Handler<void()> onMouseEnter;
    Handler<void()> onMouseLeave;
    Handler<void(WheelEvent&)> onMouseWheel;
    Handler<void()> onEnter;
    Handler<void()> onExit;
    Handler<void(KeyEvent&)> onKeyDown;
    // The character a key yields; setting it to 0 drops it.
    Handler<void(char32_t&)> onKeyPress;
    Handler<void(KeyEvent&)> onKeyUp;

protected:
    // The root constructor, for forms.
    Control(Application& application, std::string name);

    // Bumps the application's revision and invalidates the control.
    void changed();
    template <class T> bool assign(T& field, const T& value) {
        if (field == value)
            return false;
        field = value;
        changed();
        return true;
    }

    // Default actions, run when no handler consumed the input.
    virtual void defaultKeyDown(KeyEvent&) {}
    virtual void defaultChar(char32_t) {}
    virtual void defaultMouseDown(const MouseEvent&) {}
    virtual void defaultMouseMove(const MouseEvent&) {}
    // A left release inside a control pressed with the left button clicks it.
    virtual void defaultMouseUp(const MouseEvent& event, bool inside);
    virtual void defaultDoubleClick(const MouseEvent&) {}
    virtual void defaultWheel(WheelEvent&) {}
    // Alt + the caption's accelerator chose this control.
    virtual void acceleratorPressed() {}
    // Called from the idle step for an invalid control that is showing.
    virtual void paint() {}
    // The control lost the focus (after its exit handler).
    virtual void focusLost() {}

    void setDefaultColor(Color color) { color_ = color; }

private:
    friend class Application;
    friend class Form;

    void removeChild(Control* child);

    Application* application_;
    Form* form_ = nullptr;
    Control* parent_ = nullptr;
    std::string name_;
    std::vector<Control*> children_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    Color color_ = colors::ButtonFace;
    bool parentColor_ = false;
    Font font_;
    bool parentFont_ = true;
    Text caption_;
    Text hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    bool tabStop_ = false;
    int tabOrder_ = 0;
    PopupMenu* popupMenu_ = nullptr;
    bool invalid_ = true;
};

} // namespace lumitag::ui

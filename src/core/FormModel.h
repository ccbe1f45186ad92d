#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/ActionGroups.h"
#include "core/Image.h"
#include "core/Notifier.h"
#include "core/ShipgroupEvent.h"

namespace quendar::core {

// A form is a toolkit-free model: a list of controls, each with a kind, a
// label, the group box it sits in, its items and getter/setter functions that
// read and write the store through the store's write API. The window builds
// widgets from the model (one generic binder), forwards every widget change to
// the setter and refreshes the widgets when the model says `refreshed`.
// Tests drive a model exactly as the binder does.
enum class ControlKind {
    DropDown,    // one choice; value = index (-1 = none)
    ListBox,     // one choice in a visible list; value = index
    MultiList,   // several choices; selection()
    CheckBox,    // value 0/1
    TriState,    // value 0/1/2 (2 = undetermined)
    RadioGroup,  // one of items; value = index
    Edit,        // text
    NumberEdit,  // text that holds a number; value = number
    Slider,      // value in [minimum, maximum]
    StaticText,  // label only; text() gives the shown text
    Button,      // press()
    Picture,     // image()
};

struct Control {
    std::string id;  // unique within the form; tests and the binder address controls by it
    ControlKind kind = ControlKind::StaticText;
    std::string label;  // "&&" shows as "&"
    std::string group;  // caption of the group box it sits in ("" = none)
    // A group box caption that follows the form's state (empty = `group`).
    std::function<std::string()> groupCaption;
    int row = -1;  // placement hint inside the group (-1 = next row)
    int column = 0;
    int maxLength = 0;  // edits: maximum characters (0 = unlimited)
    int minimum = 0;    // sliders and number edits
    int maximum = 255;
    int width = 0;  // pixels; 0 = the binder's default

    std::function<std::vector<std::string>()> items;  // lists, drop-downs, radio groups
    std::function<int()> value;
    std::function<void(int)> setValue;
    std::function<std::string()> text;
    std::function<void(const std::string&)> setText;
    std::function<std::vector<int>()> selection;
    std::function<void(const std::vector<int>&)> setSelection;
    std::function<void()> press;
    // Edits: the user is done with the text (the edit lost the focus or Return
    // was pressed). Empty = nothing to do.
    std::function<void()> editingFinished;
    std::function<RgbaImage()> image;
    std::function<bool()> enabled;  // empty = always enabled
    std::function<bool()> visible;  // empty = always visible
    // Radio groups: whether one entry may be chosen (empty = every entry).
    std::function<bool(int)> itemEnabled;
    // Sliders: the user dragged or released the thumb at this position. When
    // set, `setValue` hears only the other moves (keyboard, clicks beside the
    // thumb).
    std::function<void(int)> thumbMoved;
    // Edits: several lines, Enter starts a new one; the text carries "\n".
    bool multiLine = false;

    bool isEnabled() const { return !enabled || enabled(); }
    bool isVisible() const { return !visible || visible(); }

    // Layout and state, chained after a builder:
    // `byteList(...).at(1, 2).enabledWhen(...)`.
    Control& at(int r, int c = 0) {
        row = r;
        column = c;
        return *this;
    }
    Control& wide(int pixels) {
        width = pixels;
        return *this;
    }
    Control& enabledWhen(std::function<bool()> f) {
        enabled = std::move(f);
        return *this;
    }
    Control& visibleWhen(std::function<bool()> f) {
        visible = std::move(f);
        return *this;
    }
    // Shown greyed, never changed by the user.
    Control& disabled() {
        enabled = [] { return false; };
        return *this;
    }
};

// What a control shows and what the user's change does: a number (an index,
// a check state, a byte) read and written through these two functions.
struct Binding {
    std::function<int()> get;
    std::function<void(int)> set;
    // Where the number lives at the moment (a record and an offset), for the
    // controls that keep something per place; empty = always the same place.
    std::function<long long()> place = {};
};

// The same for a text; an edit over it takes at most `limit` characters
// (0 = no limit).
struct TextBinding {
    std::function<std::string()> get;
    std::function<void(const std::string&)> set;
    int limit = 0;
};

using ItemsFn = std::function<std::vector<std::string>()>;

// A text the form keeps itself (until OK, until a button stores it): typing
// replaces it, cut to `limit` characters when `limit` > 0; `after` then hears
// the text.
TextBinding heldText(std::string& text, int limit = 0,
                     std::function<void(const std::string&)> after = {});

class FormModel {
  public:
    virtual ~FormModel() = default;

    const std::string& title() const { return m_title; }
    void setTitle(std::string t) {
        m_title = std::move(t);
        refreshed.notify();
    }
    bool modal() const { return m_modal; }

    std::vector<Control>& controls() { return m_controls; }
    const std::vector<Control>& controls() const { return m_controls; }
    Control* find(std::string_view id);
    const Control* find(std::string_view id) const;

    // What the binder calls; tests call the same.
    void choose(std::string_view id, int index);  // lists, radio groups, check boxes, sliders
    void type(std::string_view id, const std::string& text);         // edits
    void select(std::string_view id, const std::vector<int>& rows);  // multi-select lists
    void click(std::string_view id);                                 // buttons
    void finishEditing(std::string_view id);                         // edits: focus left, or Return
    void dragThumb(std::string_view id, int value);  // sliders: drag or release of the thumb
    int valueOf(std::string_view id) const;
    std::string textOf(std::string_view id) const;
    std::vector<std::string> itemsOf(std::string_view id) const;

    // The model asks the window to re-read every control (values, items,
    // enabled and visible states, title).
    Notifier<> refreshed;
    // The model asks the window to close (OK, Cancel, or a rule of the form).
    Notifier<> closeRequested;
    // Result of a modal form: true when closed by its accepting button.
    bool accepted = false;

    // The frame's relay of a shipgroup event to an open form (Reload = show
    // the current shipgroup again, the others as sent). Forms that follow the
    // shipgroup list override it.
    virtual void receive(ShipgroupEvent event) { (void)event; }
    // Called once just before the form's window goes (closed by the user, by
    // the model, or replaced when the form is opened again).
    virtual void closing() {}
    // A form with a timer: the window calls tick() every timerInterval()
    // milliseconds while the form is shown (0 = no timer).
    // The window asks again after every tick and after every user input, so
    // a form may change its interval (or stop its timer with 0) as it goes.
    virtual int timerInterval() const { return 0; }
    virtual void tick() {}
    // A form without a caption bar (and so without its close button).
    virtual bool hasCaption() const { return true; }
    // Whether the user may close the window now (Escape, the close button);
    // a form that must finish its work first says no until it has.
    virtual bool mayClose() const { return true; }

    // Every change made through choose, type, select, click, finishEditing and
    // dragThumb is one action of these groups (named after the control), so
    // that Undo takes it back whole; typing into one edit is one action until
    // the edit is left.
    void setActionGroups(ActionGroups* groups) { m_actions = groups; }
    ActionGroups* actionGroups() const { return m_actions; }

  protected:
    FormModel(std::string title, bool modal) : m_title(std::move(title)), m_modal(modal) {}
    Control& add(Control c) {
        m_controls.push_back(std::move(c));
        return m_controls.back();
    }
    void requestClose(bool accept) {
        accepted = accept;
        closeRequested.notify();
    }
    void refresh() { refreshed.notify(); }

  public:
    // The builders every form lays itself out with, one control each, in the
    // order they are called. Each returns the control for chained layout.
    // They are open so that a piece of layout several forms share (a
    // trigger's lists) can be written once beside the forms.
    Control& control(ControlKind kind, std::string id, std::string label, std::string group);
    // A fixed text, or one that follows the form (`shown`).
    Control& label(std::string id, std::string text, std::string group,
                   std::function<std::string()> shown = {});
    Control& button(std::string id, std::string label, std::string group,
                    std::function<void()> press);
    // Closes the form; `accept` says whether the accepting button closed it.
    // `before` runs first.
    Control& closeButton(std::string id, std::string label, bool accept,
                         std::function<void()> before = {});
    Control& picture(std::string id, std::string group, std::function<RgbaImage()> image);
    Control& checkBox(std::string id, std::string label, std::string group, Binding b);
    // A check box over a flag that is 0 or 1 (any other value shows checked).
    Control& checkBox(std::string id, std::string label, std::string group, int& flag);
    // A check box over a byte that is checked when it is 1; a click writes 0
    // over 1 and 1 over anything else.
    Control& toggleBox(std::string id, std::string label, std::string group, Binding b);
    Control& dropDown(std::string id, std::string label, std::string group, ItemsFn items,
                      Binding b);
    Control& listBox(std::string id, std::string label, std::string group, ItemsFn items,
                     Binding b);
    Control& radioGroup(std::string id, std::string label, std::string group, ItemsFn items,
                        Binding b);
    // The same three over a choice the form keeps in `state`: an entry outside
    // the list shows no selection and choosing one changes nothing; `after`
    // hears every accepted choice.
    Control& dropDown(std::string id, std::string label, std::string group, ItemsFn items,
                      int& state, std::function<void(int)> after = {});
    Control& listBox(std::string id, std::string label, std::string group, ItemsFn items,
                     int& state, std::function<void(int)> after = {});
    Control& radioGroup(std::string id, std::string label, std::string group, ItemsFn items,
                        int& state, std::function<void(int)> after = {});
    // A list box whose selection lives in `row`: a row outside the list clears
    // it to -1; `after` hears every change, the cleared one too.
    Control& selectionList(std::string id, std::string label, std::string group, ItemsFn items,
                           int& row, std::function<void(int)> after = {});
    Control& multiList(std::string id, std::string label, std::string group, ItemsFn items,
                       std::function<std::vector<int>()> selection,
                       std::function<void(const std::vector<int>&)> setSelection);
    // A drop-down storing its index in one byte; a stored value outside the
    // list shows no selection, and an index that is no byte is not stored.
    Control& byteList(std::string id, std::string label, std::string group, ItemsFn items,
                      Binding b, std::function<void(int)> after = {});
    // "And" / "Or" over one byte: Or when the byte is 1.
    Control& joinRadio(std::string id, std::string label, std::string group, Binding b);
    // A number over one byte, shown unsigned or as a signed byte. While the
    // user types, the edit keeps the typed text as long as it stands for the
    // stored byte at the same place ("-", "007", ""), so a refresh never
    // fights the typing. Text that is not a number stores 0; a number that
    // does not fit keeps its low byte, as the file would.
    Control& numberEdit(std::string id, std::string label, std::string group, Binding b,
                        bool isSigned = false, std::function<void()> after = {});
    Control& textEdit(std::string id, std::string label, std::string group, TextBinding b);
    Control& slider(std::string id, std::string group, Binding b, int minimum = 0,
                    int maximum = 255);
    // Forgets what is being typed into the number edits (a new record shows).
    void forgetTyped() { m_typed.clear(); }

    static ItemsFn fixed(const std::vector<std::string>& labels) {
        return [&labels] { return labels; };
    }
    static ItemsFn fixed(std::initializer_list<const char*> labels) {
        return [t = std::vector<std::string>(labels.begin(), labels.end())] { return t; };
    }
    // A list index as shown: -1 when it names no entry of `count`.
    static int shown(int value, size_t count) {
        return value >= 0 && static_cast<size_t>(value) < count ? value : -1;
    }

  private:
    std::string actionName(const Control& c) const;
    Control& choice(ControlKind kind, std::string id, std::string label, std::string group,
                    ItemsFn items, int& state, std::function<void(int)> after);

    struct Typed {
        std::string text;
        long long place = 0;
    };

    std::string m_title;
    bool m_modal;
    ActionGroups* m_actions = nullptr;
    std::vector<Control> m_controls;
    std::map<std::string, Typed> m_typed;
};

// "&&" in a label stands for one "&"; a single "&" marks a mnemonic and is dropped.
std::string displayLabel(std::string_view label);

// A number typed into a number edit: leading blanks and a sign allowed,
// conversion stops at the first non-digit; text that is not a number is 0.
int parseNumber(const std::string& text);

}  // namespace quendar::core

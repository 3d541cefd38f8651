// The form runtime as the game sees it: controls and their properties, focus,
// the message box, End and random numbers. Backends supply the real window.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "base/random_source.h"
#include "base/text.h"
#include "form/form_definition.h"

namespace vop {

// Everything the runtime knows of one control; a get returns exactly what was last set.
struct ControlState {
    const ControlDef* def = nullptr;  // design-time record (the template, for loaded labels)
    bool loaded = false;
    Text caption;
    Text tag;
    bool enabled = true;
    bool visible = true;
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    double fontSize = 0;  // points; 0: the toolkit's default
    ColorValue foreColor = 0;
    bool hasForeColor = false;
    // What a screen reader was last told of the control (see FormRuntime::spokenName).
    Text spokenName;
    Text spokenDescription;
};

// A property a backend shows anew after the game changed it.
enum class Shown : std::uint8_t { Caption, Enabled, Visible, Geometry, Font, ForeColor };

// A label the window paints itself, as a screen reader is told of it.
struct LabelView {
    Text name;     // what a screen reader says ("Ace of spades, in the deck")
    Text caption;  // the text it shows ("A")
    PixelRect rect;
    bool enabled = true;
    bool visible = true;
};

// The window module's events. Events a module does not handle are ignored.
class FormModule {
  public:
    virtual ~FormModule() = default;
    virtual void Form_Load() = 0;
    virtual void click(ControlId id) = 0;
    virtual void gotFocus(ControlId id) = 0;

    // What a screen reader says of a control, in the module's own words: its name, and
    // a word on what it does now. Empty: the caption alone, and no description.
    virtual Text spokenName(ControlId) const { return {}; }
    virtual Text spokenDescription(ControlId) const { return {}; }
};

class FormRuntime {
  public:
    FormRuntime(const FormDef& form, RandomSource& random);
    virtual ~FormRuntime() = default;
    FormRuntime(const FormRuntime&) = delete;
    FormRuntime& operator=(const FormRuntime&) = delete;

    // --- Start: build the window from its definition, raise Load once, show it
    // with the focus on the first control in tab order that can take it.
    void start(FormModule& module);

    // --- What the game uses.
    void setFormCaption(const Text& caption);
    const Text& formCaption() const { return formCaption_; }

    const Text& caption(ControlId id) const { return get(id).caption; }
    const Text& tag(ControlId id) const { return get(id).tag; }
    bool enabled(ControlId id) const { return get(id).enabled; }
    bool visible(ControlId id) const { return get(id).visible; }
    void setCaption(ControlId id, const Text& caption);
    void setTag(ControlId id, const Text& tag);
    void setEnabled(ControlId id, bool enabled);
    void setVisible(ControlId id, bool visible);
    void setFontSize(ControlId id, double points);
    void setTop(ControlId id, Twips top);
    void setLeft(ControlId id, Twips left);
    void setForeColor(ControlId id, ColorValue color);
    // SetFocus: moves the focus and raises the control's GotFocus.
    void setFocus(ControlId id);
    // Load: a new element of a control array, a hidden copy of element 0.
    void load(ControlId id);
    // MsgBox with OK only and no icon; returns when the player closes it.
    void msgBox(const Text& prompt);
    // End: the program stops at once; no further events reach the game.
    void end();
    void randomize() { random_.randomize(); }
    float rnd() { return random_.rnd(); }
    // The player's language as the platform tells it, read once at start ("ja-JP", "en").
    const Text& language() const { return language_; }

    // What a screen reader is told of a control now: the module's words for it (or
    // else its caption), and its description.
    Text spokenName(ControlId id) const;
    Text spokenDescription(ControlId id) const;

    // --- What a backend reports.
    void raiseClick(ControlId id);
    void raiseGotFocus(ControlId id);

    // --- Read-only views, for backends and tests.
    const FormDef& form() const { return form_; }
    const ControlState& get(ControlId id) const;
    bool exists(ControlId id) const;
    // Where the runtime keeps a control (ControlPlaces); a control the window cannot
    // have is a run-time error.
    std::size_t place(ControlId id) const;
    const ControlPlaces& places() const { return places_; }
    std::optional<ControlId> focus() const { return focus_; }
    bool ended() const { return ended_; }
    bool inMessageBox() const { return messageBoxDepth_ > 0; }
    // Every existing control, in a fixed order (design-time ones, then loaded labels).
    std::vector<ControlId> controls() const;
    // Every button, by TabIndex: the order Tab goes round them in, disabled ones included.
    std::vector<ControlId> buttonsByTabIndex() const;
    // The controls that Tab visits, in tab order.
    std::vector<ControlId> tabOrder() const;
    // Where Tab (or Shift+Tab) goes from this control, or from outside the window: the
    // next control in tab order that can take the focus, round and round.
    std::optional<ControlId> nextTabStop(std::optional<ControlId> from, bool backwards) const;
    // A control's place in pixels at this resolution.
    PixelRect pixelRect(ControlId id, Dpi dpi) const;

    // The labels, which take no focus and raise no event the game handles: a window
    // paints them itself, in the order they were made, a later one over an earlier one.
    const std::vector<ControlId>& labels() const { return labels_; }
    // The label's number among them, or -1 for a control that is no label.
    int labelIndex(ControlId id) const;
    LabelView labelView(int index, Dpi dpi) const;

  protected:
    // Hooks that show the state in the real window. Called after the state changed.
    virtual void createWindow() = 0;
    virtual void createControl(ControlId id) = 0;
    virtual void showWindow() = 0;
    virtual void showFormCaption() = 0;
    virtual void show(ControlId id, Shown what) = 0;
    // Moves the real focus; the backend then reports it with raiseGotFocus, at
    // once or when the toolkit delivers it.
    virtual void moveFocus(ControlId id) = 0;
    virtual void showMessageBox(const Text& prompt, const Text& title) = 0;
    virtual void quit() = 0;
    // The language the platform's user reads, as a language tag.
    virtual Text userLanguage() const { return u"en"; }

    // A backend with screen readers listening asks for this: after every event, each
    // control whose spoken words changed is shown again through showSpoken, which says
    // which of the two changed (the state holds the new words).
    void tellScreenReaders() { tellScreenReaders_ = true; }
    // While the window is being built and first shown: no screen reader has heard any
    // words of it yet, so none have changed.
    bool starting() const { return starting_; }
    virtual void showSpoken(ControlId /*id*/, bool /*name*/, bool /*description*/) {}

    // For a window that paints its labels: where the label was painted last and where it
    // is to be painted now (empty while hidden), which is noted as painted.
    std::pair<PixelRect, PixelRect> labelMoved(ControlId id, Dpi dpi);

    ControlState& state(ControlId id);

  private:
    // Works out every control's words anew and shows those that changed.
    void refreshSpoken();
    // Fills the state of a control the window now has, and has the backend make it.
    void made(ControlId id, ControlState state);
    // Sets one property and has the backend show it, unless it holds that value already.
    template <class T>
    void change(ControlId id, T ControlState::*field, const T& value, Shown what);

    const FormDef& form_;
    RandomSource& random_;
    FormModule* module_ = nullptr;
    Text formCaption_;
    Text language_;
    ControlPlaces places_;
    std::vector<ControlState> controls_;
    std::vector<ControlId> labels_;
    std::vector<int> labelByPlace_;
    std::vector<PixelRect> paintedAt_;  // by label number
    std::optional<ControlId> focus_;
    int messageBoxDepth_ = 0;
    bool ended_ = false;
    bool tellScreenReaders_ = false;
    bool starting_ = false;
};

}  // namespace vop

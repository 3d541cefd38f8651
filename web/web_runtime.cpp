// Applies the window definition to the page and forwards the page's events to the runtime.
#include "web/web_runtime.h"

#include <emscripten/emscripten.h>

#include <cstdlib>
#include <string>

#include "base/runtime_error.h"

// What the page does (web/web_window.js). Texts go as UTF-8, places as numbers.
extern "C" {
void vop_web_create_window(int width, int height, const char* background);
void vop_web_create_control(int place, int isButton, const char* name, const char* background);
void vop_web_show_window();
void vop_web_set_title(const char* title);
void vop_web_set_caption(int place, const char* caption);
void vop_web_set_enabled(int place, int enabled);
void vop_web_set_visible(int place, int visible);
void vop_web_set_geometry(int place, int left, int top, int width, int height);
void vop_web_set_font(int place, const char* face, double points);
// highlight: the label takes a high-contrast theme's highlight pair, not its text pair.
void vop_web_set_color(int place, const char* color, int highlight);
void vop_web_set_spoken(int place, const char* name, const char* description);
// A role other than the element's own for a screen reader ("status"); "" keeps its own.
void vop_web_set_role(int place, const char* role);
void vop_web_set_window_name(const char* name);
void vop_web_focus(int place);
int vop_web_focused_place();
int vop_web_ended_shown();
// The page's language, as the browser tells it ("ja", "en-US"); the caller frees it.
char* vop_web_language();
// Returns when the player has closed the box; the page runs on meanwhile.
void vop_web_message_box(const char* prompt, const char* title);
void vop_web_end(const char* line, int isError);
// "E": closes the window where a script may, and says that the game has ended.
void vop_web_quit(const char* line);
}

namespace vop {

namespace {

constexpr Dpi kCssDpi{};  // a CSS pixel is 1/96 inch: 15 twips

WebRuntime* current = nullptr;

int px(Twips twips) {
    return twipsToPixels(twips, kCssDpi.x);
}

// The player reads the error on the page, which then takes no more input; the console
// has the same line from raiseRuntimeError.
void showRuntimeError(const RuntimeErrorReport& report) {
    vop_web_end(report.line.c_str(), 1);
}

}  // namespace

std::string cssColor(ColorValue value) {
    if (isSystemColor(value)) {
        // The desktop colours a window definition names, by CSS's names for them.
        switch (value & 0xFF) {
            case 4:
                return "Menu";
            case 5:
                return "Window";
            case 8:
                return "WindowText";
            case 15:
                return "ButtonFace";
            case 18:
                return "ButtonText";
            default:
                return "Canvas";
        }
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string css = "#";
    for (const int shift : {0, 8, 16}) {  // 0x00BBGGRR: red first
        const unsigned byte = (value >> shift) & 0xFF;
        css += kHex[byte >> 4];
        css += kHex[byte & 0xF];
    }
    return css;
}

WebRuntime::WebRuntime(const FormDef& form, RandomSource& random) : FormRuntime(form, random) {
    current = this;
    setRuntimeErrorReporter(&showRuntimeError);
    tellScreenReaders();
}

WebRuntime::~WebRuntime() {
    if (current == this) {
        current = nullptr;
        setRuntimeErrorReporter(nullptr);
    }
}

void WebRuntime::createWindow() {
    vop_web_create_window(px(form().clientWidth), px(form().clientHeight),
                          cssColor(form().backColor).c_str());
    showFormCaption();
}

void WebRuntime::createControl(ControlId id) {
    const ControlState& s = get(id);
    const ControlDef& def = *s.def;
    vop_web_create_control(at(id), def.kind == ControlKind::CommandButton ? 1 : 0,
                           controlText(id).c_str(),
                           def.hasBackColor ? cssColor(def.backColor).c_str() : "");
    for (const Shown what : {Shown::Caption, Shown::Geometry, Shown::Font, Shown::Enabled}) {
        show(id, what);
    }
    if (s.hasForeColor) {
        show(id, Shown::ForeColor);
    }
    show(id, Shown::Visible);
    if (spokenRole(id) == SpokenRole::Status) {
        vop_web_set_role(at(id), "status");
    }
}

void WebRuntime::showWindow() {
    vop_web_show_window();
}

void WebRuntime::showFormCaption() {
    vop_web_set_title(toUtf8(formCaption()).c_str());
}

void WebRuntime::show(ControlId id, Shown what) {
    const ControlState& s = get(id);
    switch (what) {
        case Shown::Caption:
            vop_web_set_caption(at(id), toUtf8(s.caption).c_str());
            break;
        case Shown::Enabled:
            vop_web_set_enabled(at(id), s.enabled ? 1 : 0);
            break;
        case Shown::Visible:
            vop_web_set_visible(at(id), s.visible ? 1 : 0);
            break;
        case Shown::Geometry: {
            const PixelRect r = pixelRect(id, kCssDpi);
            vop_web_set_geometry(at(id), r.left, r.top, r.width, r.height);
            break;
        }
        case Shown::Font:
            if (!s.def->font.isDefault()) {  // else the page's button font
                vop_web_set_font(at(id), toUtf8(s.def->font.face).c_str(),
                                 s.fontSize > 0 ? s.fontSize : s.def->font.points);
            }
            break;
        case Shown::ForeColor:
            vop_web_set_color(
                at(id), cssColor(s.foreColor).c_str(),
                contrastPairOf(form(), s.foreColor) == ContrastPair::Highlight ? 1 : 0);
            break;
    }
}

void WebRuntime::showSpoken(ControlId id, bool /*name*/, bool /*description*/) {
    const ControlState& s = get(id);
    vop_web_set_spoken(at(id), toUtf8(s.spokenName).c_str(), toUtf8(s.spokenDescription).c_str());
}

void WebRuntime::showSpokenFormName() {
    vop_web_set_window_name(toUtf8(spokenFormName()).c_str());
}

void WebRuntime::moveFocus(ControlId id) {
    // The page reports the new focus through the element's focus event, at once.
    vop_web_focus(at(id));
}

void WebRuntime::showMessageBox(const Text& prompt, const Text& title) {
    vop_web_message_box(toUtf8(prompt).c_str(), toUtf8(title).c_str());
}

void WebRuntime::quit() {
    // A page cannot close a tab the player opened: it says that the game has ended, and
    // closes only an app's window of its own.
    const std::string line =
        toUtf8(Text(form().appTitle)) + " has ended. Reload the page to start a new game.";
    vop_web_quit(line.c_str());
}

void WebRuntime::pageClicked(std::size_t place) {
    if (const std::optional<ControlId> id = places().at(place)) {
        raiseClick(*id);
    }
}

void WebRuntime::pageFocused(std::size_t place) {
    if (const std::optional<ControlId> id = places().at(place)) {
        raiseGotFocus(*id);
    }
}

// The page would move the focus in the order of the elements and then out of the page;
// the window's own order is TabIndex's, and it goes round.
void WebRuntime::pageTabbed(std::optional<std::size_t> from, bool backwards) {
    if (ended() || inMessageBox()) {
        return;
    }
    const std::optional<ControlId> id = from ? places().at(*from) : std::nullopt;
    if (const std::optional<ControlId> next = nextTabStop(id, backwards)) {
        moveFocus(*next);
    }
}

Text WebRuntime::userLanguage() const {
    char* tag = vop_web_language();
    const std::string utf8 = tag != nullptr ? tag : "en";
    std::free(tag);
    return Text(utf8.begin(), utf8.end());  // a language tag is plain ASCII
}

std::optional<ControlId> WebRuntime::pageFocus() const {
    const int focused = vop_web_focused_place();
    return focused >= 0 ? places().at(static_cast<std::size_t>(focused)) : std::nullopt;
}

bool WebRuntime::pageShowsEnded() const {
    return vop_web_ended_shown() != 0;
}

}  // namespace vop

// What the page calls, by the controls' places.
extern "C" {

EMSCRIPTEN_KEEPALIVE void vop_web_clicked(int place) {
    if (vop::current != nullptr && place >= 0) {
        vop::current->pageClicked(static_cast<std::size_t>(place));
    }
}

EMSCRIPTEN_KEEPALIVE void vop_web_focused(int place) {
    if (vop::current != nullptr && place >= 0) {
        vop::current->pageFocused(static_cast<std::size_t>(place));
    }
}

EMSCRIPTEN_KEEPALIVE void vop_web_tabbed(int from, int backwards) {
    if (vop::current != nullptr) {
        vop::current->pageTabbed(
            from >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(from)) : std::nullopt,
            backwards != 0);
    }
}

EMSCRIPTEN_KEEPALIVE void vop_web_closed() {
    if (vop::current != nullptr) {
        vop::current->pageClosed();
    }
}
}

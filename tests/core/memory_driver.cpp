// The in-memory runtime as a backend of the conformance scenarios and the monkey. It has
// no pixels: what the player would see is read from the runtime's state.
#include <cstdlib>

#include "form/memory_runtime.h"
#include "support/driver.h"

namespace vop::test {
namespace {

class MemoryDriver final : public Driver {
  public:
    explicit MemoryDriver(RandomSource& random) : Driver(random), runtime_(vopWindow(), random) {
        // The player's language as a Linux desktop tells it.
        const char* language = std::getenv("LANG");
        if (language != nullptr && *language != '\0') {
            runtime_.setUserLanguage(
                Text(language, language + std::char_traits<char>::length(language)));
        }
        runtime_.onMessageBox = [this](const Text& prompt) {
            if (boxOpened({toUtf8(runtime_.lastMessageTitle()), toUtf8(prompt), 1}) ==
                BoxClose::CloseWindow) {
                runtime_.close();
            }
        };
    }

    void start() override { runtime_.start(game_); }
    void click(ControlId id) override { runtime_.click(id); }
    void secondClick(ControlId id) override { runtime_.click(id); }
    void dragOff(ControlId id) override { runtime_.pressOff(id); }
    void clickWith(ControlId, Button) override {}  // no button of the game answers to them
    void clickOn(Spot) override {}
    void press(Key key) override {
        switch (key) {
            case Key::Tab:
            case Key::ShiftTab:
                runtime_.pressTab(key == Key::ShiftTab);
                break;
            case Key::Space:
            case Key::Enter:
                runtime_.pressFocused();
                break;
            case Key::Escape:
            case Key::Other:
                break;  // no button of the game answers to them
        }
    }
    // A held Tab moves on with every repeat; a held Space or Enter presses once.
    void hold(Key key, int repeats) override {
        const bool moves = key == Key::Tab || key == Key::ShiftTab;
        for (int i = 0; i <= (moves ? repeats : 0); ++i) {
            press(key);
        }
    }
    void burst(const std::vector<Input>& inputs) override {
        for (const Input& input : inputs) {
            input.isKey ? press(input.key) : click(input.id);
        }
    }
    void closeWindow() override { runtime_.close(); }

    std::string title() const override { return toUtf8(runtime_.formCaption()); }
    std::string caption(ControlId id) const override { return toUtf8(runtime_.caption(id)); }
    bool enabled(ControlId id) const override { return runtime_.enabled(id); }
    std::string look(ControlId id) const override {
        const ControlState& s = runtime_.get(id);
        if (!s.visible) {
            return "blank";
        }
        if (!s.enabled || !s.hasForeColor) {
            return "grey";
        }
        return s.foreColor == kRed ? "red" : s.foreColor == kBlue ? "blue" : "mixed";
    }
    PixelRect place(ControlId id) const override { return runtime_.pixelRect(id, Dpi{}); }
    std::optional<ControlId> focus() const override { return runtime_.focus(); }
    std::string spokenName(ControlId id) const override { return toUtf8(runtime_.spokenName(id)); }
    std::string spokenDescription(ControlId id) const override {
        return toUtf8(runtime_.spokenDescription(id));
    }
    bool ended() const override { return runtime_.ended(); }

    const frmVop* game() const override { return &game_; }
    const FormRuntime* runtime() const override { return &runtime_; }

  private:
    MemoryRuntime runtime_;
    frmVop game_{runtime_};
};

}  // namespace

std::unique_ptr<Driver> makeDriver(RandomSource& random) {
    return std::make_unique<MemoryDriver>(random);
}

}  // namespace vop::test

// The in-memory runtime as a backend of the conformance scenarios and the monkey.
#include "support/driver.h"
#include "window/memory_runtime.h"

namespace vop::test {
namespace {

class MemoryDriver final : public Driver {
  public:
    explicit MemoryDriver(RandomSource& random) : runtime_(vopWindow(), random) {
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
    void closeWindow() override { runtime_.close(); }

    std::string title() const override { return toUtf8(runtime_.formCaption()); }
    std::string caption(ControlId id) const override { return toUtf8(runtime_.caption(id)); }
    bool enabled(ControlId id) const override { return runtime_.enabled(id); }
    std::optional<ControlId> focus() const override { return runtime_.focus(); }
    std::string spokenName(ControlId id) const override { return toUtf8(runtime_.spokenName(id)); }
    std::string spokenDescription(ControlId id) const override {
        return toUtf8(runtime_.spokenDescription(id));
    }
    bool ended() const override { return runtime_.ended(); }

    const frmVop& game() const override { return game_; }
    const FormRuntime& runtime() const override { return runtime_; }

  private:
    MemoryRuntime runtime_;
    frmVop game_{runtime_};
};

}  // namespace

std::unique_ptr<Driver> makeDriver(RandomSource& random) {
    return std::make_unique<MemoryDriver>(random);
}

}  // namespace vop::test

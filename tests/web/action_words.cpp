// Actions in the scenarios' words.
#include "action_words.h"

namespace vop::test {

std::string actionWords(const reliability::Action& a) {
    using Kind = reliability::Action::Kind;
    switch (a.kind) {
        case Kind::Click:
            return "click " + controlText(a.id);
        case Kind::SecondClick:
            return "second-click " + controlText(a.id);
        case Kind::DragOff:
            return "drag-off " + controlText(a.id);
        case Kind::ClickWith:
            return (a.button == Button::Right ? "right-click " : "middle-click ") +
                   controlText(a.id);
        case Kind::ClickOn:
            return a.spot == Spot::Background ? "click-background" : "click-frame";
        case Kind::Press:
            return "press " + keyWord(a.key);
        case Kind::Hold:
            return "hold " + keyWord(a.key) + " " + std::to_string(a.repeats);
        case Kind::Burst: {
            std::string words = "burst";
            for (const Input& input : a.inputs) {
                words += input.isKey ? " press " + keyWord(input.key)
                                     : " click " + controlText(input.id);
            }
            return words;
        }
        case Kind::CloseBox:
            break;
    }
    return "box-closes-by " + closeWord(a.close);
}

}  // namespace vop::test

// Every caption the game can show, from the same functions and data that show them.
#include "game/shown_captions.h"

#include "cards/card_name.h"
#include "game/frm_vop.h"
#include "game/vop_window.h"

namespace vop {

std::vector<ShownCaption> shownCaptions() {
    const FormDef& form = vopWindow();
    std::vector<ShownCaption> shown;
    for (const ControlDef& def : form.controls) {
        if (def.left >= form.clientWidth || def.top >= form.clientHeight) {
            continue;
        }
        shown.push_back({def.font.points, Text(def.caption)});
        // Start-up loads the grid's labels as copies of its template, in its font.
        if (def.id.name == &ctl::lblExist) {
            for (int rank = 1; rank <= kRanks; ++rank) {
                shown.push_back({def.font.points, gridRankText(static_cast<Int16>(rank))});
            }
        }
    }
    for (int count = 0; count <= kDeckSize; ++count) {
        shown.push_back({0, countCaption(static_cast<Int16>(count))});
    }
    for (int n = 1; n <= kDeckSize; ++n) {
        clsCard card;
        card.color = suitOf(n);
        card.Number = rankOf(n);
        shown.push_back({0, setCap(card)});
    }
    shown.push_back({0, Text(kWinPrompt)});
    shown.push_back({0, Text(form.appTitle)});  // the box's title
    return shown;
}

}  // namespace vop

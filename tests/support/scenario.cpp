// Reading and playing the conformance scenarios.
#include "support/scenario.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "support/deals.h"
#include "window/vop_window.h"

namespace vop::test {

extern const char* const kConformanceScenarios;  // scenarios.txt, built in

namespace {

[[noreturn]] void unreadable(int line, const std::string& what) {
    std::fprintf(stderr, "scenarios.txt:%d: %s\n", line, what.c_str());
    std::exit(2);
}

// Words of a line: spaces part them, double quotes hold spaces; "#" starts a comment.
std::vector<std::string> wordsOf(std::string_view line, int number) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos) {
                unreadable(number, "a quote is not closed");
            }
            words.emplace_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            words.emplace_back(line.substr(i, end - i));
            i = end;
        }
    }
    return words;
}

// "btnCard(2)", "btnFocus": a control of the game's window, named as the game names it.
ControlId controlNamed(const std::string& word, int line) {
    const std::size_t paren = word.find('(');
    const std::string name = word.substr(0, paren);
    for (const ControlDef& def : vopWindow().controls) {
        if (def.id.name->text != name) {
            continue;
        }
        if (paren == std::string::npos) {
            return ControlId{*def.id.name};
        }
        return ControlId{*def.id.name,
                         static_cast<std::int16_t>(std::atoi(word.c_str() + paren + 1))};
    }
    unreadable(line, "no control is named " + word);
}

// "H7", "SA", "DT": a card as a slot shows it, without its space.
int cardNamed(const std::string& word, int line) {
    const std::string_view suits = "SHDC";
    const std::string_view ranks = "A23456789TJQK";
    if (word.size() != 2 || suits.find(word[0]) == std::string_view::npos ||
        ranks.find(word[1]) == std::string_view::npos) {
        unreadable(line, "no card is named " + word);
    }
    return static_cast<int>(suits.find(word[0]) * 13 + ranks.find(word[1]) + 1);
}

Key keyNamed(const std::string& word, int line) {
    if (word == "Tab")
        return Key::Tab;
    if (word == "Shift+Tab")
        return Key::ShiftTab;
    if (word == "Space")
        return Key::Space;
    if (word == "Enter")
        return Key::Enter;
    if (word == "Escape")
        return Key::Escape;
    if (word == "F5")
        return Key::Other;
    unreadable(line, "no key is named " + word);
}

BoxClose closeNamed(const std::string& word, int line) {
    if (word == "Enter")
        return BoxClose::Enter;
    if (word == "Space")
        return BoxClose::Space;
    if (word == "Escape")
        return BoxClose::Escape;
    if (word == "OK")
        return BoxClose::MouseOnOk;
    if (word == "close-window")
        return BoxClose::CloseWindow;
    unreadable(line, "a box is not closed by " + word);
}

std::string focusText(std::optional<ControlId> id) {
    return id ? controlText(*id) : "none";
}

class Player {
  public:
    Player(ScriptedRandom& random, Driver& driver) : random_(random), driver_(driver) {
        driver_.onBox = [this](const SeenBox& box) {
            boxes_.push_back(box);
            return closeBy_;
        };
    }

    void step(const Step& s, const std::vector<std::string>& w) {
        const auto need = [&](std::size_t n) {
            if (w.size() != n) {
                unreadable(s.line, w[0] + " takes " + std::to_string(n - 1) + " words");
            }
        };
        const std::string& verb = w[0];
        if (verb == "deal" || verb == "draw") {
            for (std::size_t i = 1; i < w.size(); ++i) {
                random_.push(valueFor(cardNamed(w[i], s.line)));
            }
            if (verb == "deal") {
                driver_.start();
            }
        } else if (verb == "deal-winnable") {
            for (int n : winnableDraws()) {
                random_.push(valueFor(n));
            }
            driver_.start();
        } else if (verb == "click" || verb == "double-click" || verb == "drag-off") {
            need(2);
            const ControlId id = controlNamed(w[1], s.line);
            if (verb == "click") {
                driver_.click(id);
            } else if (verb == "double-click") {
                driver_.doubleClick(id);
            } else {
                driver_.dragOff(id);
            }
        } else if (verb == "press") {
            need(2);
            driver_.press(keyNamed(w[1], s.line));
        } else if (verb == "close-window") {
            driver_.closeWindow();
        } else if (verb == "box-closes-by") {
            need(2);
            closeBy_ = closeNamed(w[1], s.line);
        } else if (verb == "repeat") {
            if (w.size() < 3) {
                unreadable(s.line, "repeat takes a count and a step");
            }
            const std::vector<std::string> inner(w.begin() + 2, w.end());
            for (int i = std::atoi(w[1].c_str()); i > 0; --i) {
                step(s, inner);
            }
        } else if (verb == "expect") {
            expect(s, w);
        } else {
            unreadable(s.line, "no step is called " + verb);
        }
    }

    std::vector<std::string> failures;

  private:
    void check(const Step& s, const std::string& what, const std::string& got,
               const std::string& want) {
        if (got != want) {
            failures.push_back("scenarios.txt:" + std::to_string(s.line) + ": " + what + " is \"" +
                               got + "\", not \"" + want + "\"");
        }
    }

    void expect(const Step& s, const std::vector<std::string>& w) {
        if (w.size() < 3) {
            unreadable(s.line, "expect what?");
        }
        const std::string& what = w[1];
        if (what == "title") {
            check(s, "the title", driver_.title(), w[2]);
        } else if (what == "focus") {
            check(s, "the focus", focusText(driver_.focus()), w[2]);
        } else if (what == "ended") {
            check(s, "ended", driver_.ended() ? "yes" : "no", w[2]);
        } else if (what == "boxes") {
            check(s, "the number of boxes", std::to_string(boxes_.size()), w[2]);
        } else if (what == "box") {
            const SeenBox last = boxes_.empty() ? SeenBox{} : boxes_.back();
            check(s, "the box's title", last.title, w[2]);
            check(s, "the box's text", last.text, w.size() > 3 ? w[3] : "");
            check(s, "the box's buttons", std::to_string(last.buttons), "1");
        } else if (what == "draws-left") {
            check(s, "the draws left", std::to_string(random_.left()), w[2]);
        } else if (w.size() >= 4) {
            expectOfControls(s, w);
        } else {
            unreadable(s.line, "expect " + what + " of what?");
        }
    }

    // "expect caption btnCard(0) ..." for one control; "expect caption btnCard ..." for
    // every element of an array, one value each.
    void expectOfControls(const Step& s, const std::vector<std::string>& w) {
        const std::string& what = w[1];
        const ControlId first = controlNamed(w[2], s.line);
        std::vector<ControlId> ids;
        for (std::size_t i = 3; i < w.size(); ++i) {
            ids.push_back({*first.name, static_cast<std::int16_t>(first.index + (i - 3))});
        }
        if (ids.size() > 1 && !first.name->isArray()) {
            unreadable(s.line, controlText(first) + " is one control: one value");
        }
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const ControlId id = ids[i];
            const std::string& want = w[3 + i];
            const std::string of = what + " of " + controlText(id);
            if (what == "caption") {
                check(s, of, driver_.caption(id), want);
            } else if (what == "enabled") {
                check(s, of, driver_.enabled(id) ? "yes" : "no", want);
            } else if (what == "spoken") {
                check(s, of, driver_.spokenName(id), want);
            } else if (what == "description") {
                check(s, of, driver_.spokenDescription(id), want);
            } else {
                unreadable(s.line, "nothing to expect called " + what);
            }
        }
    }

    ScriptedRandom& random_;
    Driver& driver_;
    BoxClose closeBy_ = BoxClose::Enter;
    std::vector<SeenBox> boxes_;
};

}  // namespace

std::vector<Scenario> readScenarios(std::string_view text) {
    std::vector<Scenario> all;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        std::vector<std::string> words = wordsOf(line, number);
        if (words.empty()) {
            continue;
        }
        if (words[0] == "scenario") {
            if (words.size() != 2) {
                unreadable(number, "a scenario has a one-word name");
            }
            all.push_back({words[1], {}});
        } else if (all.empty()) {
            unreadable(number, "a step before the first scenario");
        } else {
            all.back().steps.push_back({number, std::move(words)});
        }
    }
    return all;
}

const std::vector<Scenario>& conformanceScenarios() {
    static const std::vector<Scenario> all = readScenarios(kConformanceScenarios);
    return all;
}

std::vector<std::string> play(const Scenario& scenario, ScriptedRandom& random, Driver& driver) {
    Player player(random, driver);
    for (const Step& step : scenario.steps) {
        player.step(step, step.words);
    }
    return player.failures;
}

}  // namespace vop::test

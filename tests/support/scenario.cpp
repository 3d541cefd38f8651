// Reading and playing the conformance scenarios.
#include "support/scenario.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>

#include "support/deals.h"

namespace vop::test {

extern const char* const kConformanceScenarios;  // scenarios.txt, built in

namespace {

constexpr std::pair<std::string_view, Key> kKeys[] = {
    {"Tab", Key::Tab},     {"Shift+Tab", Key::ShiftTab}, {"Space", Key::Space},
    {"Enter", Key::Enter}, {"Escape", Key::Escape},      {"F5", Key::Other}};

constexpr std::pair<std::string_view, BoxClose> kWays[] = {{"Enter", BoxClose::Enter},
                                                           {"Space", BoxClose::Space},
                                                           {"Escape", BoxClose::Escape},
                                                           {"OK", BoxClose::MouseOnOk},
                                                           {"close-box", BoxClose::CloseBox},
                                                           {"Alt+F4", BoxClose::AltF4},
                                                           {"close-window", BoxClose::CloseWindow}};

// The word of a key or a way: the first name a table gives it.
template <typename T, std::size_t N>
std::string wordOf(const std::pair<std::string_view, T> (&table)[N], T value) {
    for (const auto& [name, v] : table) {
        if (v == value) {
            return std::string(name);
        }
    }
    return {};
}

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

ControlId controlIn(const std::string& word, int line) {
    const std::optional<ControlId> id = controlNamed(word);
    if (!id) {
        unreadable(line, "no control is named " + word);
    }
    return *id;
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
    for (const auto& [name, key] : kKeys) {
        if (word == name) {
            return key;
        }
    }
    unreadable(line, "no key is named " + word);
}

BoxClose closeNamed(const std::string& word, int line) {
    for (const auto& [name, way] : kWays) {
        if (word == name) {
            return way;
        }
    }
    unreadable(line, "a box is not closed by " + word);
}

std::string focusText(std::optional<ControlId> id) {
    return id ? controlText(*id) : "none";
}

// The language part of a language tag: "ja" of "ja-JP".
std::string primaryLanguage(const std::string& tag) {
    return tag.substr(0, tag.find_first_of("-_."));
}

class Player {
  public:
    explicit Player(Driver& driver) : driver_(driver) {
        driver_.onBox = [this](const SeenBox& box) {
            boxes_.push_back(box);
            const std::vector<Step> behind = std::move(behindBox_);
            behindBox_.clear();
            for (const Step& s : behind) {
                step(s, s.words);
            }
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
        if (verb == "en" || verb == "ja") {
            // What holds in one language only: the words a screen reader says.
            if (w.size() < 2) {
                unreadable(s.line, verb + " of what?");
            }
            if ((primaryLanguage(driver_.language()) == "ja") == (verb == "ja")) {
                step(s, std::vector<std::string>(w.begin() + 1, w.end()));
            }
        } else if (verb == "deal" || verb == "draw") {
            for (std::size_t i = 1; i < w.size(); ++i) {
                driver_.draw(cardNamed(w[i], s.line));
            }
            if (verb == "deal") {
                driver_.start();
            }
        } else if (verb == "deal-winnable") {
            for (int n : winnableDraws()) {
                driver_.draw(n);
            }
            driver_.start();
        } else if (verb == "play-to-last-card") {
            // The winnable deal up to its last card: slot 0 48 times, then slots 1 to 3.
            for (int i = 0; i < 51; ++i) {
                driver_.click(
                    controlIn("btnCard(" + std::to_string(std::max(0, i - 47)) + ")", s.line));
            }
        } else if (verb == "click" || verb == "double-click" || verb == "drag-off" ||
                   verb == "right-click" || verb == "middle-click") {
            need(2);
            const ControlId id = controlIn(w[1], s.line);
            if (verb == "click") {
                driver_.click(id);
            } else if (verb == "double-click") {
                driver_.doubleClick(id);
            } else if (verb == "drag-off") {
                driver_.dragOff(id);
            } else {
                driver_.clickWith(id, verb == "right-click" ? Button::Right : Button::Middle);
            }
        } else if (verb == "click-background" || verb == "click-frame") {
            driver_.clickOn(verb == "click-background" ? Spot::Background : Spot::Frame);
        } else if (verb == "press") {
            need(2);
            driver_.press(keyNamed(w[1], s.line));
        } else if (verb == "hold") {
            need(3);
            driver_.hold(keyNamed(w[1], s.line), std::atoi(w[2].c_str()));
        } else if (verb == "burst") {
            driver_.burst(inputsOf(s, w));
        } else if (verb == "close-window") {
            driver_.closeWindow();
        } else if (verb == "behind-box") {
            if (w.size() < 2) {
                unreadable(s.line, "behind-box takes a step");
            }
            behindBox_.push_back({s.line, std::vector<std::string>(w.begin() + 1, w.end())});
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
    // "burst click btnCard(0) press Tab click btnCard(0)": clicks and keys, in pairs.
    std::vector<Input> inputsOf(const Step& s, const std::vector<std::string>& w) {
        std::vector<Input> inputs;
        for (std::size_t i = 1; i + 1 < w.size(); i += 2) {
            if (w[i] == "click") {
                inputs.push_back({false, controlIn(w[i + 1], s.line), Key::Tab});
            } else if (w[i] == "press") {
                inputs.push_back({true, {}, keyNamed(w[i + 1], s.line)});
            } else {
                unreadable(s.line, "a burst holds clicks and presses, not " + w[i]);
            }
        }
        if (inputs.empty() || w.size() % 2 == 0) {
            unreadable(s.line, "a burst takes pairs: click CONTROL or press KEY");
        }
        return inputs;
    }

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
        } else if (what == "window-name") {
            check(s, "the window's spoken name", driver_.spokenWindowName(), w[2]);
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
            check(s, "the draws left", std::to_string(driver_.drawsLeft()), w[2]);
        } else if (what == "place") {
            expectPlace(s, w);
        } else if (w.size() >= 4) {
            expectOfControls(s, w);
        } else {
            unreadable(s.line, "expect " + what + " of what?");
        }
    }

    // "expect place btnCard(0) 24 0 17 33": left, top, width and height in pixels at 96
    // dpi. A window drawn at another resolution is held to the same place scaled, each
    // figure within a pixel: rounding at 144 dpi may make 3 1/3 pixels 5 and not 4.
    void expectPlace(const Step& s, const std::vector<std::string>& w) {
        if (w.size() != 7) {
            unreadable(s.line, "expect place takes a control and four numbers");
        }
        const ControlId id = controlIn(w[2], s.line);
        const PixelRect got = driver_.place(id);
        const int dpi = driver_.pixelsPerInch();
        const int figures[] = {got.left, got.top, got.width, got.height};
        const char* names[] = {"left", "top", "width", "height"};
        for (int i = 0; i < 4; ++i) {
            const int want = std::atoi(w[3 + static_cast<std::size_t>(i)].c_str());
            const int scaled = (want * dpi + 48) / 96;
            const int slack = dpi == 96 ? 0 : 1;
            if (figures[i] < scaled - slack || figures[i] > scaled + slack) {
                check(s,
                      std::string("the ") + names[i] + " of " + controlText(id) + " at " +
                          std::to_string(dpi) + " dpi",
                      std::to_string(figures[i]), std::to_string(scaled));
            }
        }
    }

    // "expect caption btnCard(0) ..." for one control; "expect caption btnCard ..." for
    // every element of an array, one value each.
    void expectOfControls(const Step& s, const std::vector<std::string>& w) {
        const std::string& what = w[1];
        const ControlId first = controlIn(w[2], s.line);
        if (w.size() > 4 && !first.name->isArray()) {
            unreadable(s.line, controlText(first) + " is one control: one value");
        }
        for (std::size_t i = 3; i < w.size(); ++i) {
            const ControlId id{*first.name, static_cast<std::int16_t>(first.index + (i - 3))};
            const std::string& want = w[i];
            const std::string of = what + " of " + controlText(id);
            if (what == "caption") {
                check(s, of, driver_.caption(id), want);
            } else if (what == "enabled") {
                check(s, of, driver_.enabled(id) ? "yes" : "no", want);
            } else if (what == "colour") {
                check(s, of, driver_.look(id), want);
            } else if (what == "lines") {
                check(s, of, std::to_string(driver_.captionLines(id)), want);
            } else if (what == "spoken") {
                check(s, of, driver_.spokenName(id), want);
            } else if (what == "description") {
                check(s, of, driver_.spokenDescription(id), want);
            } else {
                unreadable(s.line, "nothing to expect called " + what);
            }
        }
    }

    Driver& driver_;
    BoxClose closeBy_ = BoxClose::Enter;
    std::vector<SeenBox> boxes_;
    std::vector<Step> behindBox_;  // taken while the next box is open, before it closes
};

}  // namespace

std::vector<Scenario> readScenarios(std::string_view text) {
    std::vector<Scenario> all;
    std::size_t open = 1;  // how many scenarios at the end the steps go to
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
            if (words.size() < 2) {
                unreadable(number, "a scenario has a one-word name");
            }
            // "scenario NAME WAY...": one for each way the box is closed, named after it.
            open = std::max<std::size_t>(words.size() - 2, 1);
            for (std::size_t i = 2; i < std::max<std::size_t>(words.size(), 3); ++i) {
                std::string name = words[1];
                if (i < words.size()) {
                    std::copy_if(
                        words[i].begin(), words[i].end(), std::back_inserter(name),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
                }
                all.push_back({name, {}});
                if (i < words.size()) {
                    all.back().steps.push_back({number, {"box-closes-by", words[i]}});
                }
            }
        } else if (all.empty()) {
            unreadable(number, "a step before the first scenario");
        } else {
            for (std::size_t i = all.size() - open; i < all.size(); ++i) {
                all[i].steps.push_back({number, words});
            }
        }
    }
    return all;
}

const std::vector<Scenario>& conformanceScenarios() {
    static const std::vector<Scenario> all = readScenarios(kConformanceScenarios);
    return all;
}

std::string keyWord(Key key) {
    return wordOf(kKeys, key);
}

std::string closeWord(BoxClose way) {
    return wordOf(kWays, way);
}

std::vector<std::string> play(const Scenario& scenario, Driver& driver) {
    Player player(driver);
    for (const Step& step : scenario.steps) {
        player.step(step, step.words);
    }
    return player.failures;
}

}  // namespace vop::test

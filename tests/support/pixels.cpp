// Judging a control's look from its pixels.
#include "support/pixels.h"

#include <algorithm>
#include <map>

namespace vop::test {

namespace {

struct Hsv {
    int hue = 0;         // 0..359
    int saturation = 0;  // 0..255
    int value = 0;       // 0..255
};

Hsv hsvOf(std::uint32_t rgb) {
    const int r = static_cast<int>((rgb >> 16) & 0xFF);
    const int g = static_cast<int>((rgb >> 8) & 0xFF);
    const int b = static_cast<int>(rgb & 0xFF);
    const int high = std::max({r, g, b});
    const int spread = high - std::min({r, g, b});
    Hsv hsv{0, high == 0 ? 0 : spread * 255 / high, high};
    if (spread == 0) {
        return hsv;
    }
    int hue = 0;
    if (high == r) {
        hue = 60 * (g - b) / spread;
    } else if (high == g) {
        hue = 120 + 60 * (b - r) / spread;
    } else {
        hue = 240 + 60 * (r - g) / spread;
    }
    hsv.hue = (hue + 360) % 360;
    return hsv;
}

std::uint32_t backgroundOf(const Picture& picture) {
    std::map<std::uint32_t, int> counts;
    for (const std::uint32_t p : picture.pixels) {
        ++counts[p];
    }
    const auto most =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? 0 : most->first;
}

}  // namespace

std::string lookOf(const Picture& picture) {
    const std::uint32_t background = backgroundOf(picture);
    int ink = 0;
    int blue = 0;
    int red = 0;
    for (const std::uint32_t p : picture.pixels) {
        if (p == background) {
            continue;
        }
        ++ink;
        const Hsv hsv = hsvOf(p);
        // A clear colour: saturated and not near black. Anti-aliased edges of a coloured
        // letter keep its hue, paler; grey ink has none.
        if (hsv.saturation < 90 || hsv.value < 60) {
            continue;
        }
        if (hsv.hue >= 200 && hsv.hue <= 260) {
            ++blue;
        } else if (hsv.hue <= 20 || hsv.hue >= 340) {
            ++red;
        }
    }
    if (ink == 0) {
        return "blank";
    }
    if (blue > 0 && red > 0) {
        return "mixed";
    }
    return blue > 0 ? "blue" : red > 0 ? "red" : "grey";
}

int pixelsOf(const Picture& picture, std::uint32_t colour) {
    return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), colour));
}

}  // namespace vop::test

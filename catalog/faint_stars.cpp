#include "catalog/faint_stars.h"

#include <cmath>
#include <numbers>

namespace noctaris {

FaintStars BuildFaintStars(const std::vector<std::string>& lines, std::string_view resource) {
    const std::string res(resource);
    if (lines.size() % 5 != 0)
        throw ResourceError(res, "incomplete star record at the end (5 lines a star)",
                            lines.size() - lines.size() % 5 + 1);
    FaintStars out;
    out.stars.reserve(lines.size() / 5);
    out.names.reserve(lines.size() / 5);
    constexpr double kPi = std::numbers::pi;
    for (std::size_t l = 0; l < lines.size(); l += 5) {
        StarRecord s;
        s.RightAscension = ParseResourceNumber(lines[l], resource, l + 1);
        s.Declination = ParseResourceNumber(lines[l + 1], resource, l + 2);
        if (!(s.RightAscension >= 0 && s.RightAscension <= 2 * kPi))
            throw ResourceError(res, "right ascension outside 0..2 pi", l + 1);
        if (!(std::fabs(s.Declination) <= kPi / 2))
            throw ResourceError(res, "declination outside -pi/2..pi/2", l + 2);
        s.Magnitude = ParseResourceNumber(lines[l + 2], resource, l + 3);
        const int cls = ParseResourceInteger(lines[l + 3], resource, l + 4);
        if (cls < 1 || cls > 8)
            throw ResourceError(res, "colour class " + std::to_string(cls) + " outside 1..8", l + 4);
        s.SpectralClass = static_cast<std::uint8_t>(cls);
        out.stars.push_back(s);
        out.names.push_back(lines[l + 4]);
    }
    return out;
}

const FaintStars& LoadFaintStars() {
    static const FaintStars stars = BuildFaintStars(LoadTextResource("FAINT"));
    return stars;
}

}  // namespace noctaris

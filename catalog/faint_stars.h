#pragma once
// The stars from 5.0 to 6.5 mag (the embedded FAINT) that the chart adds when zoomed in; the
// brighter ones are the star table of catalog.h. Loaded on first use only: the commands that
// draw no zoomed chart never inflate it.
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"

namespace noctaris {

struct FaintStars {
    std::vector<StarRecord> stars;
    std::vector<std::string> names;  // Windows-1252, one a star: the star information's text
};

// FAINT lines (5 a star: right ascension and declination in radians, magnitude, colour class
// 1..8, name). A trailing incomplete star, a number that does not parse or a place off the
// sphere throws ResourceError naming the resource and line.
FaintStars BuildFaintStars(const std::vector<std::string>& lines, std::string_view resource = "FAINT");

// The embedded FAINT, built on the first call and kept.
const FaintStars& LoadFaintStars();

}  // namespace noctaris

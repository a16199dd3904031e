#pragma once
// The bodies of the solar system the program computes, one numbering for every layer: the Sun,
// the Moon and the planets Mercury to Neptune in order from the Sun (the Earth among them, for
// the theories that need it). Their English names are identities (files, settings, lookups);
// a window shows them through the "Planet" translations.
#include <array>
#include <optional>
#include <string_view>

#include "astro/core/translatable.h"

namespace noctaris {

enum class Body { Sun, Moon, Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune };

inline constexpr int kBodyCount = 10;

// The eight planets in order from the Sun, and the seven seen from the Earth.
inline constexpr std::array<Body, 8> kPlanets = {Body::Mercury, Body::Venus,   Body::Earth,
                                                 Body::Mars,    Body::Jupiter, Body::Saturn,
                                                 Body::Uranus,  Body::Neptune};
inline constexpr std::array<Body, 7> kObservedPlanets = {Body::Mercury, Body::Venus,  Body::Mars,
                                                         Body::Jupiter, Body::Saturn, Body::Uranus,
                                                         Body::Neptune};

constexpr bool IsPlanet(Body b) { return b != Body::Sun && b != Body::Moon; }

// The one table of the names, in the order of the enum.
inline constexpr std::array<const char*, kBodyCount> kBodyNames = {
    QT_TRANSLATE_NOOP("Planet", "Sun"),     QT_TRANSLATE_NOOP("Planet", "Moon"),
    QT_TRANSLATE_NOOP("Planet", "Mercury"), QT_TRANSLATE_NOOP("Planet", "Venus"),
    QT_TRANSLATE_NOOP("Planet", "Earth"),   QT_TRANSLATE_NOOP("Planet", "Mars"),
    QT_TRANSLATE_NOOP("Planet", "Jupiter"), QT_TRANSLATE_NOOP("Planet", "Saturn"),
    QT_TRANSLATE_NOOP("Planet", "Uranus"),  QT_TRANSLATE_NOOP("Planet", "Neptune")};

// The English name ("Sun", "Mercury", ...).
constexpr const char* BodyName(Body b) { return kBodyNames[static_cast<int>(b)]; }

// The body of an English name, in any letter case ("venus", "Venus"); none for anything else.
std::optional<Body> BodyFromName(std::string_view name);

}  // namespace noctaris

#pragma once
// The Sun, the Moon and the planets Mercury to Uranus on the sky chart: where they stand, their
// small pictures and labels, and their entries in the body hit list. The chart calls
// ChartBodies::Draw at its bodies step; the Sun window reads the Sun's last chart position.
#include <array>
#include <string_view>

#include <QImage>
#include <QStaticText>

#include "astro/precise/precise.h"
#include "chart/projection.h"
#include "chart/skychart.h"
#include "chart/state.h"

namespace noctaris {

// The Sun as the chart last placed it (written at every redraw, also below the horizon), in the
// chart's frame: the equator and equinox of J2000, like the stars.
struct SunChartPosition {
    double RightAscension = 0;  // radians, 0..2 pi
    double Declination = 0;     // radians
    double Azimuth = 0;         // degrees from the south through the west
    double Altitude = 0;        // radians, negative below the horizon
    // The Sun's ecliptic longitude (radians, 0..2 pi) the Moon's phase picture is chosen against.
    double Longitude = 0;
};

// The planets drawn on the chart, in drawing order.
inline constexpr std::array<Body, 6> kChartPlanets = {Body::Mercury, Body::Venus,  Body::Mars,
                                                      Body::Jupiter, Body::Saturn, Body::Uranus};

// Right ascension and declination (radians) of a chart body.
struct BodySky {
    double ra = 0;
    double dec = 0;
};

// A planet's place from the spherical theory at the frame's Julian day (whole hours and
// minutes of right ascension and declination as the ephemeris record gives them).
BodySky PlanetChartSky(Body planet, const ChartFrame& frame, const ObserverState& state);

// A body's precise place for the chart: topocentric, apparent of date (radians; the Moon's
// parallax reaches a degree), with its apparent ecliptic longitude of date (radians), which
// selects the Moon's phase picture.
struct PreciseBodySky : BodySky {
    double longitude = 0;
};
PreciseBodySky PreciseChartSky(Body body, const PreciseFrame& frame, const ObserverState& state);

// The Sun's place on the chart at the frame's moment: its geocentric ecliptic longitude at the
// frame's Julian day, referred to the J2000 equinox by the planetary theory; right ascension and
// declination from it by the ecliptic-to-equatorial rotation with the J2000 obliquity, azimuth and
// altitude from the chart's own horizontal conversion (not read back from a pixel). Where the
// azimuth is undefined (the Sun in the zenith) azimuth and altitude are left as given. With a
// precise frame (of the same instant) the Sun stands at its topocentric apparent place of date.
void PlaceSunOnChart(const ChartFrame& frame, const ObserverState& state, SunChartPosition& sun,
                     const PreciseFrame* precise = nullptr);

// The Moon's phase step: the elongation of the Moon's right ascension from the Sun's longitude
// (both radians) in units of 45°, rounded (ties to even).
int MoonPhaseStep(double moonRa, double sunLongitude);

// Moon picture for a phase step k: 1460 + index, index 0 new moon, 4 full moon; k = -8..-1
// gives k + 8, 0..7 gives k, 8 gives 0. Any other k: -1 (no picture).
int MoonPhasePictureIndex(int k);

// The turn (degrees clockwise on the chart) of the Moon's phase picture `pictureIndex` at the
// Moon's place, so that its bright limb points the way the Sun lies from the Moon as the chart
// shows the sky there (the full and the new Moon: its north to the north). Places in radians;
// 0 where the chart gives no direction.
double MoonPictureTurn(const ChartFrame& frame, int pictureIndex, double moonRa, double moonDec,
                       double sunRa, double sunDec);

// The body pictures, black transparent: planets in kChartPlanets order, the Sun, the eight
// moon phases.
struct BodyPictures {
    std::array<QImage, 6> planets;
    QImage sun;
    std::array<QImage, 8> moonPhases;

    // Loads them from the embedded pictures; throws std::runtime_error if one is missing.
    static BodyPictures Load();
};

class ChartBodies {
public:
    ChartBodies();  // loads the pictures once
    explicit ChartBodies(BodyPictures pictures);

    // Installs Draw as the chart's bodies step. This object must outlive the chart's use of it.
    void InstallOn(SkyChart& chart);

    // The chart's bodies step: the six planets, the Sun, then (with ShowMoon) the Moon.
    void Draw(ChartContext& context);

    // Each returns whether the body was drawn (placeable).
    bool DrawPlanet(ChartContext& context, Body planet);
    bool DrawSun(ChartContext& context);  // also writes sun() and phaseReference()
    bool DrawMoon(ChartContext& context);

    const SunChartPosition& sun() const { return sun_; }
    // Sun longitude that selects the Moon picture (radians).
    double phaseReference() const { return phaseReference_; }
    // Picture index of the Moon last drawn (-1 if none).
    int moonPictureIndex() const { return moonPictureIndex_; }

private:
    void PrepareLabels(const ChartFonts& fonts);

    BodyPictures pictures_;
    SunChartPosition sun_;
    double phaseReference_ = 0;
    int moonPictureIndex_ = -1;

    const ChartFonts* labelFonts_ = nullptr;
    std::array<QStaticText, 6> planetLabels_;
    QStaticText sunLabel_, moonLabel_;
};

}  // namespace noctaris

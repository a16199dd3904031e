#include "chart/bodies.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include <QCoreApplication>
#include <QPainter>
#include <QTransform>

#include "astro/core/constants.h"
#include "astro/coords/angles.h"
#include "astro/theories/moonseries.h"
#include "astro/theories/planets.h"
#include "platform/pictures.h"

namespace noctaris {
namespace {

// Picture resources of the planets in kChartPlanets order, and where each is drawn relative
// to the body's pixel (the picture's top-left corner).
const char* const kPlanetPictures[6] = {"1171", "1172", "1174", "1175", "1176", "1177"};
const QPoint kPlanetOffsets[6] = {{-4, -4}, {-4, -4}, {-4, -4}, {-4, -4}, {-9, -4}, {-4, -4}};
const QPoint kSunOffset(-8, -9);
const QPoint kMoonOffset(-7, -7);

int PlanetSlot(Body planet) {
    for (std::size_t i = 0; i < kChartPlanets.size(); ++i)
        if (kChartPlanets[i] == planet) return static_cast<int>(i);
    return -1;
}

// A body's name as the label shown beside it.
QStaticText PreparedName(Body body, const QFont& font) {
    QStaticText st(QCoreApplication::translate("Planet", BodyName(body)));
    st.setTextFormat(Qt::PlainText);
    st.prepare(QTransform(), font);
    return st;
}

// A body's picture as the scheme shows it: through the red filter in night vision (a vector
// surface gets no filter over the whole chart).
QImage Shown(const ChartContext& context, const QImage& picture) {
    if (context.options.Scheme != ChartScheme::Night) return picture;
    QImage red = picture;
    ApplyRedFilter(red, kNightPictureBrightness);
    return red;
}

void DrawPicture(ChartCanvas& canvas, int x, int y, QPoint offset, const QImage& picture) {
    if (!picture.isNull()) canvas.Painter().drawImage(QPoint(x + offset.x(), y + offset.y()), picture);
}

// The picture turned by `turn` degrees (clockwise on the surface) about its centre, which lies
// where the unturned picture's centre would.
void DrawTurnedPicture(ChartCanvas& canvas, int x, int y, QPoint offset, const QImage& picture,
                       double turn) {
    if (picture.isNull()) return;
    if (turn == 0) {
        DrawPicture(canvas, x, y, offset, picture);
        return;
    }
    QPainter& p = canvas.Painter();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QPointF half(picture.width() / 2.0, picture.height() / 2.0);
    p.translate(QPointF(x + offset.x(), y + offset.y()) + half);
    p.rotate(turn);
    p.drawImage(-half, picture);
    p.restore();
}

}  // namespace

double MoonPictureTurn(const ChartFrame& frame, int pictureIndex, double moonRa, double moonDec,
                       double sunRa, double sunDec) {
    // The pictures show the Moon as seen with the north up and the west to the right: the
    // waxing ones lit on the right, the waning ones on the left. The full and the new Moon have
    // no limb to speak of and keep their north up.
    const bool byLimb = pictureIndex != 0 && pictureIndex != 4;
    const double positionAngle =
        byLimb ? PositionAngleTowardsDeg(moonRa / kDegree, moonDec / kDegree, sunRa / kDegree, sunDec / kDegree)
               : 0.0;
    double screen = 0;
    if (!ChartDirectionOf(frame, moonRa, moonDec, positionAngle, screen)) return 0;
    const double drawn = byLimb ? (pictureIndex < 4 ? 0.0 : 180.0) : -90.0;
    return std::remainder(screen - drawn, 360.0);
}

BodySky PlanetChartSky(Body planet, const ChartFrame& frame, const ObserverState& state) {
    const PlanetEphemerisRecord rec =
        PlanetEphemeris(planet, frame.JulianDay, state.Latitude, state.Longitude, state.TimeZone)
            .record;
    return {(rec.RAHours + rec.RAMinutes / 60.0) * std::numbers::pi / 12.0,
            (rec.DecDegrees + rec.DecMinutes / 60.0) * std::numbers::pi / 180.0};
}

PreciseBodySky PreciseChartSky(Body body, const PreciseFrame& frame, const ObserverState& state) {
    const ApparentPlace p = TopocentricPlace(body, frame, Site{state.Latitude, state.Longitude, 0});
    PreciseBodySky sky;
    sky.ra = p.ra * kDegree;
    sky.dec = p.dec * kDegree;
    sky.longitude = p.longitude * kDegree;
    return sky;
}

void PlaceSunOnChart(const ChartFrame& frame, const ObserverState& state, SunChartPosition& sun,
                     const PreciseFrame* precise) {
    if (precise) {
        const PreciseBodySky sky = PreciseChartSky(Body::Sun, *precise, state);
        sun.RightAscension = sky.ra;
        sun.Declination = sky.dec;
        sun.Longitude = sky.longitude;
        ChartHorizontal(frame, sun.RightAscension, sun.Declination, sun.Azimuth, sun.Altitude);
        return;
    }
    const PlanetEphemerisRecord rec = PlanetEphemeris(Body::Earth, frame.JulianDay, state.Latitude,
                                                      state.Longitude, state.TimeZone)
                                          .record;
    // Seen from the Earth the Sun stands opposite the Earth's heliocentric direction.
    const double lambda = (rec.HelioLongitude + 180.0) * std::numbers::pi / 180.0;
    const double beta = -rec.HelioLatitude * std::numbers::pi / 180.0;
    // The obliquity of J2000, the frame of the longitude.
    const Vec3 v = EclipticToEquatorial(
        0, {std::cos(beta) * std::cos(lambda), std::cos(beta) * std::sin(lambda), std::sin(beta)});
    double alpha = std::atan2(v.y, v.x);
    if (alpha < 0) alpha += 2 * std::numbers::pi;
    sun.RightAscension = alpha;
    sun.Declination = std::asin(std::clamp(v.z, -1.0, 1.0));
    sun.Longitude = lambda > 2 * std::numbers::pi ? lambda - 2 * std::numbers::pi : lambda;  // from pi..3 pi
    ChartHorizontal(frame, sun.RightAscension, sun.Declination, sun.Azimuth, sun.Altitude);
}

int MoonPhaseStep(double moonRa, double sunLongitude) {
    const double k = std::nearbyint((moonRa - sunLongitude) * 4.0 / std::numbers::pi);
    return std::fabs(k) < 1e6 ? static_cast<int>(k) : 1000000;  // no finite elongation: no picture
}

int MoonPhasePictureIndex(int k) {
    if (k >= -8 && k <= -1) return k + 8;
    if (k >= 0 && k <= 7) return k;
    if (k == 8) return 0;
    return -1;
}

BodyPictures BodyPictures::Load() {
    BodyPictures p;
    for (int i = 0; i < 6; ++i) p.planets[i] = LoadTransparentPicture(kPlanetPictures[i]);
    p.sun = LoadTransparentPicture("1160");
    for (int i = 0; i < 8; ++i) p.moonPhases[i] = LoadTransparentPicture(std::to_string(1460 + i));
    return p;
}

ChartBodies::ChartBodies() : ChartBodies(BodyPictures::Load()) {}

ChartBodies::ChartBodies(BodyPictures pictures) : pictures_(std::move(pictures)) {}

namespace {
// With label placing, a body and its label keep their place: later labels go around them.
void KeepBodyLabel(ChartContext& context, int x, int y, int labelX, int labelY, const QStaticText& label) {
    if (!context.labels) return;
    context.labels->Take(QRect(x - 4, y - 4, 8, 8));
    context.labels->Take(QRect(QPoint(labelX, labelY), label.size().toSize()));
}
}  // namespace

void ChartBodies::InstallOn(SkyChart& chart) {
    chart.drawBodies = [this](ChartContext& context) { Draw(context); };
}

void ChartBodies::PrepareLabels(const ChartFonts& fonts) {
    if (labelFonts_ == &fonts) return;
    labelFonts_ = &fonts;
    const QFont& small = fonts.Font(ChartFont::Small);
    for (std::size_t i = 0; i < kChartPlanets.size(); ++i)
        planetLabels_[i] = PreparedName(kChartPlanets[i], small);
    sunLabel_ = PreparedName(Body::Sun, small);
    moonLabel_ = PreparedName(Body::Moon, small);
}

void ChartBodies::Draw(ChartContext& context) {
    PrepareLabels(context.canvas.Fonts());
    for (const Body planet : kChartPlanets) DrawPlanet(context, planet);
    DrawSun(context);
    if (context.options.ShowMoon) DrawMoon(context);
}

bool ChartBodies::DrawPlanet(ChartContext& context, Body planet) {
    const int slot = PlanetSlot(planet);
    if (slot < 0) return false;
    PrepareLabels(context.canvas.Fonts());
    const BodySky sky = context.precise
                            ? PreciseChartSky(planet, *context.precise, context.state)
                            : PlanetChartSky(planet, context.frame, context.state);
    int x = 0, y = 0;
    if (!ProjectToScreen(context.frame, sky.ra, sky.dec, x, y)) return false;
    DrawPicture(context.canvas, x, y, kPlanetOffsets[slot], Shown(context, pictures_.planets[slot]));
    context.canvas.SetBrushClear();
    context.canvas.TextOut(x + 4, y + 4, planetLabels_[slot]);
    KeepBodyLabel(context, x, y, x + 4, y + 4, planetLabels_[slot]);
    context.lists.bodies.Add(x, y, BodyName(planet));
    return true;
}

bool ChartBodies::DrawSun(ChartContext& context) {
    PrepareLabels(context.canvas.Fonts());
    // Also below the horizon; in the zenith the last azimuth and altitude stand.
    PlaceSunOnChart(context.frame, context.state, sun_, context.precise);
    phaseReference_ = sun_.Longitude;
    int x = 0, y = 0;
    const bool placeable =
        ProjectToScreen(context.frame, sun_.RightAscension, sun_.Declination, x, y);
    if (placeable) {
        DrawPicture(context.canvas, x, y, kSunOffset, Shown(context, pictures_.sun));
        context.canvas.SetBrushClear();
        context.canvas.TextOut(x + 8, y + 8, sunLabel_);
        KeepBodyLabel(context, x, y, x + 8, y + 8, sunLabel_);
        context.lists.bodies.Add(x, y, BodyName(Body::Sun));
    }
    return placeable;
}

bool ChartBodies::DrawMoon(ChartContext& context) {
    PrepareLabels(context.canvas.Fonts());
    moonPictureIndex_ = -1;
    double ra = 0, dec = 0, phaseLongitude = 0;  // the phase: the Moon's elongation from the Sun
    if (context.precise) {
        const PreciseBodySky sky = PreciseChartSky(Body::Moon, *context.precise, context.state);
        ra = sky.ra;
        dec = sky.dec;
        phaseLongitude = sky.longitude;
    } else {
        const MoonShortPlace moon = MoonPositionShort(Instant::FromUT(context.frame.JulianDay));
        ra = moon.RightAscension * std::numbers::pi / 180.0;
        dec = moon.Declination * std::numbers::pi / 180.0;
        phaseLongitude = ra;  // the classic chart takes the right ascension for it
    }
    int x = 0, y = 0;
    if (!ProjectToScreen(context.frame, ra, dec, x, y)) return false;
    const int index = MoonPhasePictureIndex(MoonPhaseStep(phaseLongitude, phaseReference_));
    if (index >= 0) {
        const double turn =
            MoonPictureTurn(context.frame, index, ra, dec, sun_.RightAscension, sun_.Declination);
        DrawTurnedPicture(context.canvas, x, y, kMoonOffset, Shown(context, pictures_.moonPhases[index]), turn);
        moonPictureIndex_ = index;
    }
    context.canvas.SetBrushClear();
    context.canvas.TextOut(x + 4, y + 4, moonLabel_);
    KeepBodyLabel(context, x, y, x + 4, y + 4, moonLabel_);
    context.lists.bodies.Add(x, y, BodyName(Body::Moon));
    return true;
}

}  // namespace noctaris

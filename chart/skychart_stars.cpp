// The chart's stars: drawn as discs and points with their labels and hit list entries; when
// zoomed, the faint stars added at the first zoomed paint, and the zones of right ascension and
// declination that find the stars around the view without touching the rest.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include <QPainter>

#include "astro/core/constants.h"
#include "catalog/faint_stars.h"
#include "chart/skychart.h"
#include "chart/skychart_detail.h"

namespace noctaris {
using namespace skychart_detail;

namespace {
constexpr double kBrightLabel = 2.5;  // brighter stars' labels go before the constellations'
}  // namespace

double SmoothStarRadius(double magnitude) {
    // Area roughly doubling per magnitude step among the bright stars, never below a pixel.
    return std::clamp(0.55 + 0.42 * (5.5 - magnitude), 0.6, 4.5);
}

std::string_view SkyChart::StarKey(int index) const {
    if (index < 0) {
        const auto j = static_cast<std::size_t>(-1 - index);
        const std::vector<std::string>& names = noctaris::LoadFaintStars().names;
        return j < names.size() ? std::string_view(names[j]) : std::string_view();
    }
    const auto i = static_cast<std::size_t>(index);
    return i < catalogs_.starNames.size() ? std::string_view(catalogs_.starNames[i].raw)
                                          : std::string_view();
}

void SkyChart::DrawStars(ChartCanvas& canvas, const DisplayOptions& options,
                         ChartObjectLists& lists) {
    QPainter& painter = canvas.Painter();
    const int mode = options.StarNameMode;
    const bool labelsOn = mode == 1 || mode == 2 || mode == 3;
    const double labelLimit = mode == 3 ? 1e300 : mode + 1.5;
    const ChartPlacement placement(frame_);
    // Discs and single pixels straight on the image where the painter allows it (classic only).
    QImage* direct = smooth_ ? nullptr : DirectTarget(painter, frame_.Width, frame_.Height);
    // On a lit sky the faint stars are lost; those near the limit fade out.
    const double skyLimit = SkyMagnitudeLimit(sunAltitude_);
    QPen labelPens[9];
    for (int c = 0; c <= 8; ++c) labelPens[c] = smooth_ ? QPen(palette_.StarLabel(c)) : classPens_[c];
    const QPen noPen(Qt::NoPen);
    QRgb* bits = direct ? reinterpret_cast<QRgb*>(direct->bits()) : nullptr;
    const qsizetype stride = direct ? direct->bytesPerLine() / 4 : 0;
    const auto plot = [&](int px, int py, QRgb colour) {
        if (px >= 0 && py >= 0 && px < frame_.Width && py < frame_.Height)
            bits[py * stride + px] = colour;
    };
    const auto draw = [&](const StarEntry& s) {
        int x = 0, y = 0;
        if (!placement.Place(s.ra, s.cosRa, s.sinRa, s.sinDec, s.cosDec, x, y)) return;
        const int colour = options.WhiteStars ? 0 : s.colourClass;
        if (smooth_) {
            if (!(s.magnitude < skyLimit)) return;
            QColor c = palette_.Star(colour);
            c.setAlphaF(static_cast<float>(std::clamp(skyLimit - s.magnitude, 0.25, 1.0)));
            canvas.SetPen(noPen);
            painter.setBrush(c);
            const double r = SmoothStarRadius(s.magnitude);
            painter.drawEllipse(QPointF(x + 0.5, y + 0.5), r, r);
            if (options.ShowStarInfo) lists.stars.Add(x, y, StarKey(s.index));
            if (labelsOn && s.labelIndex >= 0 && s.magnitude < labelLimit)
                pending_.push_back({s.magnitude < kBrightLabel ? 0 : 2, s.magnitude, x, y,
                                    &Label(starLabels_[s.labelIndex]), labelPens[s.colourClass].color()});
            return;
        }
        canvas.SetPen(classPens_[colour]);
        canvas.SetBrush(classBrushes_[colour]);
        const std::size_t r = static_cast<std::size_t>(std::max(s.radius, 0));
        if (s.radius > 1) {
            if (direct && r < discPixels_.size()) {
                for (const QPoint d : discPixels_[r]) plot(x + d.x(), y + d.y(), classColours_[colour].rgb());
            } else {
                canvas.Ellipse(x - s.radius, y - s.radius, x + s.radius, y + s.radius);
            }
        } else if (direct) {
            plot(x, y, classColours_[colour].rgb());
        } else {
            painter.drawPoint(x, y);
        }
        if (options.ShowStarInfo) lists.stars.Add(x, y, StarKey(s.index));
        if (labelsOn && s.labelIndex >= 0 && s.magnitude < labelLimit) {
            canvas.SetFontPen(classPens_[s.colourClass]);
            canvas.SetBrushClear();
            canvas.TextOut(x + 2, y + 2, Label(starLabels_[s.labelIndex]));
        }
    };
    if (!(frame_.Span < ViewState::kWidestSpan)) {
        for (const StarEntry& s : stars_) draw(s);
        return;
    }
    // Zoomed: only the zones around the view, down to the magnitude its span allows.
    const double limit = MagnitudeLimit(frame_.Span);
    for (const std::uint32_t i : ZoomedCandidates()) {
        const StarEntry& s = i < stars_.size() ? stars_[i] : faint_[i - stars_.size()];
        if (s.magnitude < limit) draw(s);
    }
}

namespace {

constexpr int kZoneDegrees = 5;  // zones of 5 x 5 degrees of right ascension and declination
constexpr int kZoneColumns = 360 / kZoneDegrees, kZoneRows = 180 / kZoneDegrees;

int ZoneRow(double decDegrees) {
    return std::clamp(static_cast<int>(std::floor((decDegrees + 90) / kZoneDegrees)), 0, kZoneRows - 1);
}
int ZoneColumn(double raDegrees) {
    const int c = static_cast<int>(std::floor(raDegrees / kZoneDegrees)) % kZoneColumns;
    return c < 0 ? c + kZoneColumns : c;
}

}  // namespace

SkyChart::StarEntry SkyChart::EntryOf(const StarRecord& s, int index) {
    StarEntry e{};
    e.index = index;
    e.ra = s.RightAscension;
    e.sinDec = std::sin(s.Declination);
    e.cosDec = std::cos(s.Declination);
    e.cosRa = std::cos(s.RightAscension);
    e.sinRa = std::sin(s.RightAscension);
    e.magnitude = s.Magnitude;
    e.radius = RoundToInt((19 - s.Magnitude) / 10);
    e.colourClass = s.SpectralClass >= 1 && s.SpectralClass <= 8 ? s.SpectralClass : 0;
    e.labelIndex = -1;
    return e;
}

void SkyChart::PrepareFaintStars() {
    if (faintLoaded_) return;
    const FaintStars& faint = noctaris::LoadFaintStars();
    faintLoaded_ = true;
    faint_.reserve(faint.stars.size());
    for (std::size_t j = 0; j < faint.stars.size(); ++j) {
        const StarRecord& s = faint.stars[j];
        const StarEntry e = EntryOf(s, -1 - static_cast<int>(j));
        faint_.push_back(e);
        catalogue_.push_back({e.ra, e.sinDec, e.cosDec, e.cosDec * e.cosRa, e.cosDec * e.sinRa, e.sinDec});
    }
    if (turned_) turnedForTT_ = std::numeric_limits<double>::quiet_NaN();  // turn them too

    // The zones from the catalogue places (J2000), counted, then filled.
    const std::size_t n = stars_.size();
    std::vector<int> zoneOf(n + faint_.size());
    std::vector<std::uint32_t> counts(kZoneColumns * kZoneRows + 1, 0);
    for (std::size_t i = 0; i < zoneOf.size(); ++i) {
        const CataloguePlace& c = catalogue_[i < n ? i : catalogue_.size() - faint_.size() + (i - n)];
        const double dec = std::atan2(c.sinDec, c.cosDec) / kDegree;
        zoneOf[i] = ZoneRow(dec) * kZoneColumns + ZoneColumn(c.ra / kDegree);
        ++counts[zoneOf[i] + 1];
    }
    zoneStart_.assign(counts.begin(), counts.end());
    for (std::size_t z = 1; z < zoneStart_.size(); ++z) zoneStart_[z] += zoneStart_[z - 1];
    zoneStars_.assign(zoneOf.size(), 0);
    std::vector<std::uint32_t> next(zoneStart_.begin(), zoneStart_.end() - 1);
    for (std::size_t i = 0; i < zoneOf.size(); ++i) zoneStars_[next[zoneOf[i]]++] = static_cast<std::uint32_t>(i);
}

std::vector<std::uint32_t> SkyChart::ZoomedCandidates() const {
    const ChartFrame& f = frame_;
    // A point of the chart (azimuth, altitude in degrees) as a J2000 unit vector.
    const auto direction = [&](double azimuth, double altitude, double v[3]) {
        const double a = azimuth * kDegree, h = std::clamp(altitude, -90.0, 90.0) * kDegree;
        const double xh = std::cos(h) * std::cos(a), yh = std::cos(h) * std::sin(a), zh = std::sin(h);
        // Horizon (south, west, zenith) to hour angle and declination, then to right ascension.
        const double xe = xh * f.SinLat + zh * f.CosLat, ye = yh, ze = -xh * f.CosLat + zh * f.SinLat;
        const double cs = std::cos(f.SiderealAngle), sn = std::sin(f.SiderealAngle);
        double e[3] = {xe * cs + ye * sn, xe * sn - ye * cs, ze};
        if (turned_) {  // back from the equinox of date to the catalogue's
            const double (&m)[3][3] = preciseFrame_.npb;
            for (int k = 0; k < 3; ++k) v[k] = m[0][k] * e[0] + m[1][k] * e[1] + m[2][k] * e[2];
        } else {
            for (int k = 0; k < 3; ++k) v[k] = e[k];
        }
    };
    const double top = ScreenYToAltitude(f, -12) / kDegree, bottom = ScreenYToAltitude(f, f.Height + 12) / kDegree;
    const double left = ScreenXToAzimuth(f, -12), right = ScreenXToAzimuth(f, f.Width + 12);
    double centre[3];
    direction((left + right) / 2, (top + bottom) / 2, centre);
    // The cap around the centre that holds the view: the farthest of points around its edge.
    double reach = 0;
    constexpr int kSteps = 8;
    for (int i = 0; i <= kSteps; ++i) {
        const double az = left + (right - left) * i / kSteps, alt = bottom + (top - bottom) * i / kSteps;
        for (const auto& [pa, ph] : {std::pair{az, top}, std::pair{az, bottom}, std::pair{left, alt},
                                     std::pair{right, alt}}) {
            double p[3];
            direction(pa, ph, p);
            const double dot = centre[0] * p[0] + centre[1] * p[1] + centre[2] * p[2];
            reach = std::max(reach, std::acos(std::clamp(dot, -1.0, 1.0)));
        }
    }
    reach += (f.Span / kSteps + 1) * kDegree;  // between the sampled points
    const double decCentre = std::asin(std::clamp(centre[2], -1.0, 1.0));
    const double raCentre = std::atan2(centre[1], centre[0]);
    if (!std::isfinite(decCentre) || !std::isfinite(raCentre) || !std::isfinite(reach)) {
        std::vector<std::uint32_t> all(zoneStars_);  // no view to narrow down: every star
        return all;
    }
    const int rowLow = ZoneRow((decCentre - reach) / kDegree), rowHigh = ZoneRow((decCentre + reach) / kDegree);
    int columns = kZoneColumns, columnFirst = 0;
    if (decCentre + reach < std::numbers::pi / 2 && decCentre - reach > -std::numbers::pi / 2 &&
        std::sin(reach) < std::cos(decCentre)) {
        const double half = std::asin(std::sin(reach) / std::cos(decCentre)) / kDegree;
        const double ra = raCentre / kDegree;
        columnFirst = static_cast<int>(std::floor((ra - half) / kZoneDegrees));
        columns = std::min(kZoneColumns, static_cast<int>(std::floor((ra + half) / kZoneDegrees)) - columnFirst + 1);
        columnFirst = ((columnFirst % kZoneColumns) + kZoneColumns) % kZoneColumns;
    }
    std::vector<std::uint32_t> out;
    for (int row = rowLow; row <= rowHigh; ++row)
        for (int k = 0; k < columns; ++k) {
            const int z = row * kZoneColumns + (columnFirst + k) % kZoneColumns;
            out.insert(out.end(), zoneStars_.begin() + zoneStart_[z], zoneStars_.begin() + zoneStart_[z + 1]);
        }
    return out;
}

}  // namespace noctaris

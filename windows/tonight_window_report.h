#pragma once
// What the Tonight window and `noctaris-cli tonight` share: the night's report for an observer,
// its text in the user's language, its CSV/JSON records, the plot's texts and the plot as a PNG,
// PDF or SVG file.
#include <optional>
#include <vector>

#include <QByteArray>
#include <QSize>
#include <QString>

#include "astro/reports/tonight.h"
#include "chart/altitude_plot.h"
#include "chart/state.h"
#include "windows/exports.h"

namespace noctaris {

class Catalogs;
class ObjectIndex;
struct SkyObjectRef;

// The night that begins on `date` at the observer's place, on its clock (ChartZone).
TonightReport ComputeTonightOf(const ObserverState& observer, const CivilDate& date, bool precise,
                               const std::vector<FixedObject>& objects = {});

// A star, constellation or deep-sky object of the index as a fixed object (J2000; named as the exports name it,
// shown by its display name); none for the
// Sun, the Moon and the planets, which the report has anyway.
std::optional<FixedObject> FixedObjectOf(const ObjectIndex& index, const Catalogs& catalogs,
                                         const SkyObjectRef& object);
// The stars of the catalogue down to `magnitude`, as candidates for CulminatingInDark.
std::vector<FixedObject> BrightStars(const Catalogs& catalogs, double magnitude = 2.5);
// The deep-sky objects (dark nebulae aside) down to `magnitude`, named by their first designation and shown with
// their common name in the user's language ("M 45 Pleiades").
std::vector<FixedObject> BrightDeepSky(double magnitude = 5.0);

// "16:04": an instant on the place's clock, rounded to the minute.
QString TonightClockText(double jdUT, const ZoneDescription& zone);

// The report as lines "label\tvalue" joined by CR LF (the last without), in the user's
// language: title, twilight, the Moon, the planets, the added objects, and `culminating` and
// `culminatingDeepSky` (names of bright stars and deep-sky objects culminating in the dark
// hours) when not empty.
QString FormatTonightReport(const TonightReport& report, const ZoneDescription& zone,
                            const QString& placeName, const std::vector<QString>& culminating = {},
                            const std::vector<QString>& culminatingDeepSky = {});

// The night's instants (`sunset_utc`, `sunset_local`, ... `sunrise_local`, null when there is
// none) and each body's and object's rising, culmination, setting and best time: `nested` (JSON)
// as one record of the night with a list "bodies"; flat (CSV) as one row per body, each
// repeating the night's fields.
std::vector<exports::Record> TonightRecords(const TonightReport& report, const ZoneDescription& zone,
                                            bool precise, bool nested);

// The plot's title (place and date) and curve names in the user's language.
AltitudePlotTexts TonightPlotTexts(const TonightReport& report, const QString& placeName);

// The plot as a file of the kind the suffix names: "png" (an image of `size` pixels), "pdf" (an
// A4 landscape page) or "svg" (`size` as its size). Empty for another suffix.
QByteArray TonightPlotFile(const QString& suffix, const TonightReport& report, const ZoneDescription& zone,
                           const AltitudePlotTexts& texts, PlotScheme scheme, QSize size = QSize(1200, 700));

}  // namespace noctaris

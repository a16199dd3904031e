#pragma once
// What a mouse press on the chart means: a body hit opens that body's window, a star hit (with
// star information on) shows the star's details in a message box, and so does a deep-sky object's
// hit (its information, whether or not star information is on); anything else starts turning
// the view by dragging. The controller knows no widgets; the main window carries out the
// action it returns.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QPoint>
#include <QSize>
#include <QString>

#include "astro/core/body.h"
#include "astro/reports/objectlists.h"
#include "catalog/catalog.h"

namespace noctaris {

// The first entry of `list` (in the order added) within 4 pixels of (x, y) in both directions.
std::optional<std::string> FindHit(const ObjectList& list, int x, int y);

// Degrees (or hours) as d°m's", e.g. -0°30'0": rounded to the whole second (ties to even)
// first, then split, so neither minutes nor seconds read 60. A value with no finite form is
// shown as "-".
QString FormatDegMinSec(double x);
QString FormatHourMinSec(double x);  // the same with "h" in place of the degree sign

// The star information text of a star (its name as in the star hit list, Windows-1252):
// the name, then constellation, magnitudes, distance, spectral class and position, each on a
// line of its own. Lines are separated by LF CR, as the text was always built; a star without
// details gives the bare name.
QString BuildStarInfoText(std::string_view name, const std::optional<StarDetails>& details,
                          const std::vector<Constellation>& constellations);
// The same, looking the star up in the star details resource.
QString BuildStarInfoText(std::string_view name, const std::vector<Constellation>& constellations);

// The text as a message box shows it: every LF CR (and lone CR) a single line break.
QString StarInfoDisplayText(const QString& text);

// Top-left screen position of the star information box for a press at `screenPoint`: moved
// 220 pixels left near the right screen edge, up to 320 pixels above the bottom near the
// bottom edge, then 20 pixels right of the point.
QPoint StarInfoBoxPosition(QPoint screenPoint, QSize screenSize);

// The view azimuth while dragging: a full chart width is 180°, wrapped into -180..180.
int DragAzimuth(int startAzimuth, int startX, int x, int surfaceWidth);

struct PickAction {
    enum class Kind {
        None,          // nothing to do
        SetAzimuth,    // set the azimuth box to `azimuth` (its change redraws the chart)
        ShowStarInfo,  // show `message` in an information box (OK only) at `messagePos`
        OpenBody,      // open the window of `body`
    };
    Kind kind = Kind::None;
    int azimuth = 0;
    QString message;
    QPoint messagePos;
    Body body = Body::Sun;
};

class ChartPicker {
public:
    // A press at (x, y) on the paint surface. screenPoint is the same point in screen
    // coordinates and screenSize the screen's size (for the message box placement);
    // viewAzimuth is the azimuth box's value.
    PickAction MouseDown(int x, int y, const ChartObjectLists& lists, bool showStarInfo,
                         double viewAzimuth, QPoint screenPoint, QSize screenSize,
                         const std::vector<Constellation>& constellations);
    // A move to x on a paint surface `surfaceWidth` pixels wide; turns the view while dragging.
    PickAction MouseMove(int x, int surfaceWidth);
    void MouseUp() { dragging_ = false; }
    bool Dragging() const { return dragging_; }

    // The information text of the deep-sky object with this index (catalog/deep_sky.h), shown
    // when a press hits one; none set: deep-sky objects are not picked.
    std::function<QString(int)> deepSkyInfo;

    // Star details lookup (the star details resource unless a test replaces it).
    std::function<std::optional<StarDetails>(std::string_view)> lookup =
        [](std::string_view name) { return FindStarDetails(name); };

private:
    bool dragging_ = false;
    int startX_ = 0;
    int startAzimuth_ = 0;
};

}  // namespace noctaris

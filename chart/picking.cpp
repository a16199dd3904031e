#include "chart/picking.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include <QCoreApplication>

#include "platform/codec.h"

namespace noctaris {
namespace {

const QString kBreak = QStringLiteral("\n\r");  // LF CR, as the information text always had it

QString FormatSexagesimal(double x, QChar unit) {
    if (!std::isfinite(x) || std::fabs(x) > 1e15) return QStringLiteral("-");
    const bool negative = x < 0;
    // Rounded to the whole second first, then split: never 60 seconds or minutes.
    const long long total = static_cast<long long>(std::nearbyint(std::fabs(x) * 3600));
    QString out;
    if (negative) out += QLatin1Char('-');
    out += QString::number(total / 3600) + unit + QString::number(total / 60 % 60) +
           QLatin1Char('\'') + QString::number(total % 60) + QLatin1Char('"');
    return out;
}

// A catalog value as a number (decimal point, no locale); nullopt when it is not one.
std::optional<double> CatalogNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString PositionText(std::string_view value, QString (*format)(double)) {
    if (const auto v = CatalogNumber(value)) return format(*v);
    return FromCp1252(value);
}

}  // namespace

std::optional<std::string> FindHit(const ObjectList& list, int x, int y) {
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const ObjectList::Entry& e = list.At(i);
        if (std::abs(e.x - x) < 5 && std::abs(e.y - y) < 5) return std::string(list.NameAt(i));
    }
    return std::nullopt;
}

QString FormatDegMinSec(double x) { return FormatSexagesimal(x, QChar(0x00B0)); }
QString FormatHourMinSec(double x) { return FormatSexagesimal(x, QLatin1Char('h')); }

QString BuildStarInfoText(std::string_view name, const std::optional<StarDetails>& details,
                          const std::vector<Constellation>& constellations) {
    QString text = FromCp1252(name);
    if (!details) return text;
    const std::string_view abbreviation = name.substr(0, 3);
    for (const Constellation& c : constellations) {
        if (c.abbreviation == abbreviation) {
            text += kBreak + QCoreApplication::translate("StarInfo", "Constellation: ") +
                    QString::fromStdString(c.latin);
            break;
        }
    }
    if (details->AbsoluteMagnitude() != "-10000")
        text += kBreak + QStringLiteral("M = ") + FromCp1252(details->AbsoluteMagnitude()) +
                QStringLiteral(" mag");
    text += kBreak + QStringLiteral("m = ") + FromCp1252(details->ApparentMagnitude()) +
            QStringLiteral(" mag");
    if (details->DistanceLightYears() != "-10000")
        text += kBreak + QStringLiteral("r = ") + FromCp1252(details->DistanceLightYears()) +
                QCoreApplication::translate("StarInfo", " ly");
    text += kBreak + QCoreApplication::translate("StarInfo", "Spectral class: ") +
            FromCp1252(details->SpectralClassText());
    text += kBreak + QStringLiteral("alpha = ") +
            PositionText(details->RightAscensionHours(), FormatHourMinSec);
    text += kBreak + QStringLiteral("delta = ") +
            PositionText(details->DeclinationDegrees(), FormatDegMinSec);
    return text;
}

QString BuildStarInfoText(std::string_view name, const std::vector<Constellation>& constellations) {
    return BuildStarInfoText(name, FindStarDetails(name), constellations);
}

QString StarInfoDisplayText(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QPoint StarInfoBoxPosition(QPoint screenPoint, QSize screenSize) {
    int sx = screenPoint.x(), sy = screenPoint.y();
    if (screenSize.width() < sx + 220) sx -= 220;
    if (screenSize.height() < sy + 300) sy = screenSize.height() - 320;
    return QPoint(sx + 20, sy);
}

int DragAzimuth(int startAzimuth, int startX, int x, int surfaceWidth) {
    if (surfaceWidth <= 0) return startAzimuth;  // no surface, no scale
    int a = startAzimuth - static_cast<int>(std::nearbyint(180.0 / surfaceWidth * (x - startX)));
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    return a;
}

PickAction ChartPicker::MouseDown(int x, int y, const ChartObjectLists& lists, bool showStarInfo,
                                  double viewAzimuth, QPoint screenPoint, QSize screenSize,
                                  const std::vector<Constellation>& constellations) {
    PickAction action;
    if (auto hit = FindHit(lists.bodies, x, y)) {
        if (const std::optional<Body> body = BodyFromName(*hit)) {
            action.kind = PickAction::Kind::OpenBody;
            action.body = *body;
            return action;
        }
    }
    if (showStarInfo) {
        if (auto star = FindHit(lists.stars, x, y)) {
            const QString text = BuildStarInfoText(*star, lookup ? lookup(*star) : std::nullopt,
                                                   constellations);
            action.kind = PickAction::Kind::ShowStarInfo;
            action.message = StarInfoDisplayText(text);
            action.messagePos = StarInfoBoxPosition(screenPoint, screenSize);
            return action;
        }
    }
    if (deepSkyInfo) {
        if (auto hit = FindHit(lists.deepSky, x, y)) {
            action.kind = PickAction::Kind::ShowStarInfo;
            action.message = deepSkyInfo(std::atoi(hit->c_str()));
            action.messagePos = StarInfoBoxPosition(screenPoint, screenSize);
            return action;
        }
    }
    dragging_ = true;
    startX_ = x;
    startAzimuth_ = std::isfinite(viewAzimuth) && std::fabs(viewAzimuth) < 1e6
                        ? static_cast<int>(std::nearbyint(viewAzimuth))
                        : 0;
    return action;
}

PickAction ChartPicker::MouseMove(int x, int surfaceWidth) {
    PickAction action;
    if (!dragging_) return action;
    action.kind = PickAction::Kind::SetAzimuth;
    action.azimuth = DragAzimuth(startAzimuth_, startX_, x, surfaceWidth);
    return action;
}

}  // namespace noctaris

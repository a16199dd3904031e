#include "app/window_placement.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace noctaris {
namespace {

// How far around the chart's centre a window keeps off, in pixels.
constexpr int kCentreMargin = 10;

long long Area(const QRect& r) { return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

// `r` moved (not resized) into `area` as far as it fits; the top left stays inside when it does not.
QRect MovedInto(QRect r, const QRect& area) {
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    return r;
}

}  // namespace

QPoint CentredPosition(QSize frameSize, const QRect& area) {
    return area.topLeft() + QPoint((area.width() - frameSize.width()) / 2, (area.height() - frameSize.height()) / 2);
}

QPoint VisiblePosition(QPoint wanted, QSize frameSize, const QList<QRect>& screens, const QRect& fallback) {
    const QRect frame(wanted, frameSize);
    // The screen holding most of the frame takes all of it, so a position kept from a larger
    // screen leaves no part of the window off a smaller one.
    const QRect* home = nullptr;
    for (const QRect& s : screens)
        if (s.intersects(frame.adjusted(40, 10, -40, -10)) && (!home || Area(s & frame) > Area(*home & frame)))
            home = &s;
    if (home) return MovedInto(frame, *home).topLeft();
    if (fallback.isEmpty()) return wanted;
    return CentredPosition(frameSize, fallback);
}

QPoint ModalPosition(QSize frameSize, const QRect& parentFrame, const QRect& available) {
    // Centred on the parent and moved down and right by a title bar's height, so a window of the
    // parent's size does not hide it exactly.
    constexpr int kCascade = 32;
    QRect r(CentredPosition(frameSize, parentFrame) + QPoint(kCascade, kCascade), frameSize);
    return available.isEmpty() ? r.topLeft() : MovedInto(r, available).topLeft();
}

namespace {

// One place a window may take, with what it covers of the main window on its own.
struct Candidate {
    QRect frame;
    int mustSee;        // 1 when it covers the chart's centre, 2 the menu or toolbar, 3 both
    long long onMain;   // pixels of the main window it covers
};

QList<Candidate> CandidatesFor(const InfoWindowSlot& slot, const QRect& mainFrame, const QRect& chartArea,
                               const QRect& available) {
    const QPoint centre = chartArea.center();
    const QRect centreBox(centre - QPoint(kCentreMargin, kCentreMargin),
                          QSize(2 * kCentreMargin + 1, 2 * kCentreMargin + 1));
    const QRect controls(mainFrame.topLeft(), QPoint(mainFrame.right(), chartArea.top() - 1));
    auto candidate = [&](const QRect& r) {
        return Candidate{r, int(r.intersects(centreBox)) + 2 * int(r.intersects(controls)), Area(r & mainFrame)};
    };
    if (slot.placed) return {candidate(*slot.placed)};
    const int w = slot.frameSize.width(), h = slot.frameSize.height();
    const int xs[] = {mainFrame.x() + mainFrame.width(), mainFrame.x() + mainFrame.width() - w, mainFrame.x() - w,
                      mainFrame.x()};
    const int ys[] = {chartArea.y(),
                      mainFrame.y(),
                      mainFrame.y() + mainFrame.height() - h,
                      centre.y() + kCentreMargin + 1,
                      centre.y() - kCentreMargin - h,
                      mainFrame.y() - h,
                      mainFrame.y() + mainFrame.height()};
    QList<Candidate> out;
    for (const int x : xs)
        for (const int y : ys) {
            const QRect r(QPoint(x, y), slot.frameSize);
            out << candidate(available.isEmpty() ? r : MovedInto(r, available));
        }
    return out;
}

}  // namespace

QList<QPoint> InfoWindowLayout(const QList<InfoWindowSlot>& windows, const QRect& mainFrame, const QRect& chartArea,
                               const QRect& available) {
    QList<QList<Candidate>> candidates;
    for (const InfoWindowSlot& w : windows) candidates << CandidatesFor(w, mainFrame, chartArea, available);
    // Every combination, scored lexicographically: overlap between the windows, what must stay
    // visible that they cover, then how much of the main window they cover.
    using Score = std::tuple<long long, int, long long>;
    std::optional<Score> best;
    QList<int> pick(windows.size(), 0), bestPick = pick;
    const auto score = [&] {
        Score s{0, 0, 0};
        for (qsizetype i = 0; i < pick.size(); ++i) {
            const Candidate& a = candidates[i][pick[i]];
            std::get<1>(s) += a.mustSee;
            std::get<2>(s) += a.onMain;
            for (qsizetype j = i + 1; j < pick.size(); ++j)
                std::get<0>(s) += Area(a.frame & candidates[j][pick[j]].frame);
        }
        return s;
    };
    for (;;) {
        const Score s = score();
        if (!best || s < *best) best = s, bestPick = pick;
        // The next combination, the last window's place changing fastest.
        qsizetype i = pick.size() - 1;
        while (i >= 0 && ++pick[i] == candidates[i].size()) pick[i--] = 0;
        if (i < 0) break;
    }
    QList<QPoint> out;
    for (qsizetype i = 0; i < windows.size(); ++i) out << candidates[i][bestPick[i]].frame.topLeft();
    return out;
}

}  // namespace noctaris

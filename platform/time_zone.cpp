#include "platform/time_zone.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <unordered_map>

namespace noctaris {
namespace {

constexpr long double kUnixEpochJD = 2440587.5L;
constexpr qint64 kHourMs = 3600000;

// Milliseconds since 1970 UTC; anything beyond a few million years (or no number) lands at the
// far ends, where the standard offset is kept.
qint64 MsOf(const Instant& t) {
    constexpr long double kFar = 1e17L;
    const long double ms = std::floor((t.ut() - kUnixEpochJD) * 86400000.0L);
    if (!(ms > -kFar)) return static_cast<qint64>(-kFar);
    return static_cast<qint64>(std::min(ms, kFar));
}
Instant InstantOfMs(qint64 ms) { return Instant::FromUT(kUnixEpochJD + static_cast<long double>(ms) / 86400000.0L); }

class QtZoneRules final : public ZoneRules {
public:
    QtZoneRules(QTimeZone zone, double standardOffsetHours)
        : zone_(std::move(zone)), standardSeconds_(static_cast<int>(std::lround(standardOffsetHours * 3600))) {
        const QTimeZone::OffsetData first =
            zone_.nextTransition(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC));
        firstMs_ = first.atUtc.isValid() ? first.atUtc.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
        lastMs_ = QDateTime(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    }

    // Every call holds the lock: the cache and Qt's zone object are shared between threads.
    int OffsetSecondsAt(const Instant& t) const override {
        std::lock_guard lock(mutex_);
        return At(MsOf(t)).offset;
    }
    bool IsSummerTimeAt(const Instant& t) const override {
        std::lock_guard lock(mutex_);
        return At(MsOf(t)).summer;
    }

    std::string AbbreviationAt(const Instant& t) const override {
        std::lock_guard lock(mutex_);
        const qint64 ms = MsOf(t);
        if (ms < firstMs_ || ms > lastMs_) return {};
        return zone_.abbreviation(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)).toStdString();
    }

    std::vector<ClockChange> ChangesBetween(const Instant& from, const Instant& to) const override {
        std::lock_guard lock(mutex_);
        std::vector<ClockChange> list;
        const qint64 a = std::max(MsOf(from), firstMs_), b = std::min(MsOf(to), lastMs_);
        if (a >= b) return list;
        const auto utc = [](qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC); };
        for (const QTimeZone::OffsetData& d : zone_.transitions(utc(a), utc(b - 1))) {
            const qint64 ms = d.atUtc.toMSecsSinceEpoch();
            const State before = At(ms - 1);
            const State after = Lookup(ms);
            if (before.offset == after.offset && before.summer == after.summer) continue;  // a new name only
            list.push_back({InstantOfMs(ms), before.offset, after.offset, before.summer, after.summer});
        }
        return list;
    }

private:
    struct State {
        int offset = 0;
        bool summer = false;
    };
    // An hour's clock: the state at its start and, when the clock changes within it, the change.
    struct Hour {
        State start, changed;
        qint64 changeMs = std::numeric_limits<qint64>::max();
    };

    State Lookup(qint64 ms) const {
        if (ms < firstMs_ || ms > lastMs_) return {standardSeconds_, false};
        const QDateTime t = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
        return {zone_.offsetFromUtc(t), zone_.isDaylightTime(t)};
    }

    State At(qint64 ms) const {
        const qint64 hour = ms >= 0 ? ms / kHourMs : -((-ms + kHourMs - 1) / kHourMs);
        const auto it = cache_.find(hour);
        if (it != cache_.end()) return ms < it->second.changeMs ? it->second.start : it->second.changed;
        Hour h;
        const qint64 start = hour * kHourMs;
        h.start = Lookup(start);
        const State end = Lookup(start + kHourMs - 1);
        if (end.offset != h.start.offset || end.summer != h.start.summer) {
            // Find the change's millisecond by halving: clocks change at most once an hour.
            qint64 lo = start, hi = start + kHourMs - 1;
            while (hi - lo > 1) {
                const qint64 mid = lo + (hi - lo) / 2;
                const State s = Lookup(mid);
                (s.offset == h.start.offset && s.summer == h.start.summer ? lo : hi) = mid;
            }
            h.changeMs = hi;
            h.changed = end;
        }
        if (cache_.size() > 200000) cache_.clear();
        cache_.emplace(hour, h);
        return ms < h.changeMs ? h.start : h.changed;
    }

    QTimeZone zone_;
    int standardSeconds_;
    qint64 firstMs_, lastMs_;
    mutable std::mutex mutex_;
    mutable std::unordered_map<qint64, Hour> cache_;
};

}  // namespace

std::shared_ptr<const ZoneRules> SystemZoneRules(const std::string& ianaId, double standardOffsetHours) {
    static std::mutex mutex;
    static std::map<std::pair<std::string, double>, std::shared_ptr<const ZoneRules>> zones;
    if (ianaId.empty()) return nullptr;
    std::lock_guard lock(mutex);
    const auto key = std::make_pair(ianaId, standardOffsetHours);
    const auto it = zones.find(key);
    if (it != zones.end()) return it->second;
    const QByteArray id = QByteArray::fromStdString(ianaId);
    std::shared_ptr<const ZoneRules> rules;
    if (QTimeZone::isTimeZoneIdAvailable(id)) {
        QTimeZone zone(id);
        if (zone.isValid()) rules = std::make_shared<QtZoneRules>(std::move(zone), standardOffsetHours);
    }
    zones.emplace(key, rules);
    return rules;
}

ZoneDescription PlaceZone(const std::string& ianaId, double standardOffsetHours, bool legalClock) {
    ZoneDescription zone{standardOffsetHours, SummerTimeRule::None, SystemZoneRules(ianaId, standardOffsetHours)};
    if (legalClock && zone.rules) zone.summerTime = SummerTimeRule::Legal;
    return zone;
}

}  // namespace noctaris

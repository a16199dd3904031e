#pragma once
// Shared helpers of the tests and benchmarks: the program's default place at a fixed evening,
// the shipped catalogs loaded once, and a locale pinned for the length of a scope.
#include <QLocale>

#include "catalog/catalog.h"
#include "chart/state.h"

namespace noctaris::test {

// Chemnitz (the default place) on the given local date and time; 2026-12-07 21:30 by default.
inline ObserverState Chemnitz(int year = 2026, int month = 12, int day = 7, int hour = 21, int minute = 30) {
    ObserverState s;
    s.PlaceName = "Chemnitz, D";
    s.Latitude = 50.836667;
    s.Longitude = 12.854444;
    s.TimeZone = 1;
    s.ZoneId = "Europe/Berlin";
    s.Year = year, s.Month = month, s.Day = day;
    s.Hour = hour, s.Minute = minute, s.Second = 0;
    return s;
}

inline const Catalogs& SharedCatalogs() {
    static const Catalogs catalogs = Catalogs::LoadAll();
    return catalogs;
}

class PinnedLocale {
public:
    explicit PinnedLocale(const QLocale& l) : saved_(QLocale()) { QLocale::setDefault(l); }
    ~PinnedLocale() { QLocale::setDefault(saved_); }
    PinnedLocale(const PinnedLocale&) = delete;
    PinnedLocale& operator=(const PinnedLocale&) = delete;

private:
    QLocale saved_;
};

}  // namespace noctaris::test

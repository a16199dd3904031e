#pragma once
// Places: finding the one a user named (with the closest spellings when there is none), and
// the `places` command that lists them.
#include <QString>
#include <QStringList>

#include "catalog/catalog.h"
#include "catalog/place_input.h"
#include "chart/state.h"

namespace noctaris::cli {

// "'a', 'b', 'c'".
QString QuotedList(const QStringList& names);

// The place of that name (ignoring case), or UsageError naming the three closest spellings.
const Place& FindPlaceOrFail(const Catalogs& catalogs, const QString& name);

class CommandParser;

// The place of --place, or of --lat and --lon (named by --place when given, else by its
// coordinates) with the zone of --zone or of the nearest listed place; --zone alone gives the
// named place another zone. Throws UsageError for an unknown place, a bad coordinate or zone.
Place PlaceOfOptions(const CommandParser& cmd, const Catalogs& catalogs);

// An observer at the place, with no date yet.
ObserverState ObserverAt(const Place& place);

// `places [TEXT]`.
int RunPlaces(const QStringList& args);

}  // namespace noctaris::cli

#pragma once
// Places: finding the one a user named (with the closest spellings when there is none), and
// the `places` command that lists them.
#include <QString>
#include <QStringList>

#include "catalog/catalog.h"
#include "chart/state.h"

namespace noctaris::cli {

// The three names closest to `name` (edit distance, ignoring case), closest first. A name also
// counts by its part before the comma ("Chemnitz" is close to "Chemnitz, D") and, with
// `afterComma`, by its part after it ("Sirius" is close to "CMa Alpha,Sirius").
QStringList ClosestNames(const QString& name, const QStringList& names, bool afterComma = false);

// "'a', 'b', 'c'".
QString QuotedList(const QStringList& names);

// The place of that name (ignoring case), or UsageError naming the three closest spellings.
const Place& FindPlaceOrFail(const Catalogs& catalogs, const QString& name);

// An observer at the place, with no date yet.
ObserverState ObserverAt(const Place& place);

// `places [TEXT]`.
int RunPlaces(const QStringList& args);

}  // namespace noctaris::cli

#pragma once
// What the window tests share: they reach a window's widgets by their object names, never
// through its members, and print texts readably when a comparison fails.
#include <ostream>
#include <stdexcept>
#include <string>

#include <QObject>
#include <QString>
#include <QWidget>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace noctaris::test {

// The descendant of `parent` of type T named `name`. A missing one throws, which fails the test
// at once instead of crashing it.
template <class T>
T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) throw std::logic_error(std::string("no child named ") + name);
    return child;
}

// Saves a picture of a shown window for a person to look at, when NOCTARIS_GRAB_DIR names a
// folder (the German windows are checked by eye as well as by their tests).
inline void SaveGrab(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace noctaris::test

#pragma once
// What the window tests share: they reach a window's widgets by their object names, never
// through its members, and print texts readably when a comparison fails.
#include <ostream>
#include <stdexcept>
#include <string>

#include <QObject>
#include <QString>

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

}  // namespace noctaris::test

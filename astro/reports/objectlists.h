#pragma once
// The chart's object lists: what was drawn where, so that a click can be matched to it.
// Each entry reads "x<TAB>y<TAB>name". Entries are kept in reusable storage, so filling a
// list on every frame does not allocate once it has grown to the frame's size.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace noctaris {

class ObjectList {
public:
    // Appends "x\ty\tname" and advances the read position.
    void Add(int x, int y, std::string_view name);
    // Appends an entry given as text in the list's own form ("x\ty\tname").
    void Add(std::string_view entry);
    // The entry at the read position (then advanced), or "" at the end.
    std::string Next();
    bool AtEnd() const { return position_ >= entries_.size(); }
    void Clear();
    void Rewind() { position_ = 0; }
    std::size_t Size() const { return entries_.size(); }

    struct Entry {
        int x, y;
        std::size_t nameOffset, nameLength;
    };
    // Direct access for the picking code: the entry and its name, without formatting.
    const Entry& At(std::size_t i) const { return entries_[i]; }
    std::string_view NameAt(std::size_t i) const {
        return std::string_view(names_).substr(entries_[i].nameOffset, entries_[i].nameLength);
    }

private:
    std::vector<Entry> entries_;
    std::string names_;
    std::size_t position_ = 0;
};

// The lists the chart keeps: bodies (Sun, Moon, planets), stars and deep-sky objects (named by
// their index in the deep-sky catalogue).
struct ChartObjectLists {
    ObjectList bodies;
    ObjectList stars;
    ObjectList deepSky;

    void BodyListAdd(std::string_view s) { bodies.Add(s); }
    std::string BodyListNext() { return bodies.Next(); }
    bool BodyListAtEnd() const { return bodies.AtEnd(); }
    void BodyListClear() { bodies.Clear(); }
    void StarListAdd(std::string_view s) { stars.Add(s); }
    std::string StarListNext() { return stars.Next(); }
    bool StarListAtEnd() const { return stars.AtEnd(); }
    void StarListClear() { stars.Clear(); }
};

}  // namespace noctaris

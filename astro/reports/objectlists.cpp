#include "astro/reports/objectlists.h"

#include <charconv>

namespace noctaris {
namespace {
// Parses a leading decimal integer and the tab after it; returns false when absent.
bool TakeInt(std::string_view& s, int& value) {
    const auto tab = s.find('\t');
    if (tab == std::string_view::npos) return false;
    const auto r = std::from_chars(s.data(), s.data() + tab, value);
    if (r.ec != std::errc() || r.ptr != s.data() + tab) return false;
    s.remove_prefix(tab + 1);
    return true;
}
}  // namespace

void ObjectList::Add(int x, int y, std::string_view name) {
    entries_.push_back({x, y, names_.size(), name.size()});
    names_.append(name);
    position_ += 1;
}

void ObjectList::Add(std::string_view entry) {
    int x = 0, y = 0;
    std::string_view rest = entry;
    if (TakeInt(rest, x) && TakeInt(rest, y)) {
        Add(x, y, rest);
    } else {
        // Not in the list's form: keep it whole as a name at (0, 0) so nothing is lost.
        Add(0, 0, entry);
    }
}

std::string ObjectList::Next() {
    if (AtEnd()) return {};
    const Entry& e = entries_[position_];
    std::string out = std::to_string(e.x);
    out += '\t';
    out += std::to_string(e.y);
    out += '\t';
    out += NameAt(position_);
    ++position_;
    return out;
}

void ObjectList::Clear() {
    entries_.clear();
    names_.clear();
    position_ = 0;
}

}  // namespace noctaris

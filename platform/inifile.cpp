#include "platform/inifile.h"

#include <charconv>
#include <climits>
#include <string_view>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtGlobal>

#include "platform/atomic_write.h"
#include "platform/codec.h"

namespace noctaris {
namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

QString Decode(QStringDecoder::Encoding encoding, std::string_view bytes) {
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// The file's text: UTF-16 after its byte-order mark; UTF-8 when the bytes are valid UTF-8 (plain
// ASCII is both); else Windows-1252.
QString DecodeSettingsText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return Decode(QStringDecoder::Utf16LE, bytes.substr(2));
    if (bytes.starts_with("\xFE\xFF")) return Decode(QStringDecoder::Utf16BE, bytes.substr(2));
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return FromCp1252(bytes);
}

// The whole file, or false and the reason.
bool ReadWhole(const QString& path, QByteArray& bytes, QString* reason) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (file.isOpen() && file.error() == QFileDevice::NoError) return true;
    if (reason) *reason = file.errorString();
    return false;
}

// Blanks are spaces and tabs, around lines, names and values alike; other white space (a form
// feed, a no-break space) is part of the text, so a line reads the same way each time.
bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && IsBlank(text.front())) text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back())) text.chop(1);
    return text;
}

// One optional sign, then decimal digits or hex after '$' or "0x"; nothing else. Magnitudes
// beyond long long give its nearest end.
std::optional<long long> ParseNumber(const QString& value) {
    const std::string text = TrimBlanks(value).toString().toStdString();
    const char* first = text.data();
    const char* last = first + text.size();
    bool negative = false;
    if (first < last && (*first == '-' || *first == '+')) {
        negative = *first == '-';
        ++first;
    }
    int base = 10;
    if (first < last && *first == '$') {
        base = 16;
        ++first;
    } else if (last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
        base = 16;
        first += 2;
    }
    // Unsigned: from_chars then takes no second sign, and the magnitude of LLONG_MIN fits.
    unsigned long long magnitude = 0;
    const auto r = std::from_chars(first, last, magnitude, base);
    if (first == last || r.ptr != last) return std::nullopt;
    if (r.ec == std::errc::result_out_of_range) magnitude = ULLONG_MAX;
    else if (r.ec != std::errc()) return std::nullopt;
    if (negative) return magnitude > 1ULL + LLONG_MAX ? LLONG_MIN : static_cast<long long>(0ULL - magnitude);
    return magnitude > static_cast<unsigned long long>(LLONG_MAX) ? LLONG_MAX : static_cast<long long>(magnitude);
}

// A name written as "[name]" or "name=" reads back as itself only when it has no surrounding
// blanks (the reader trims them), no line break or NUL (they split or hide the line) and not
// the character that ends it; a key must also not start like a header or a comment.
bool ReadsBack(const QString& name, QChar end, bool key) {
    if (TrimBlanks(name).size() != name.size() || name.contains(end) || name.contains(u'\r') || name.contains(u'\n') ||
        name.contains(QChar(0)))
        return false;
    return !key || (!name.isEmpty() && name.front() != u'[' && name.front() != u';');
}
}  // namespace

// Agrees with QString::compare(..., Qt::CaseInsensitive): it hashes the case-folded characters.
size_t IniFile::Name::Hash(const Name& name, size_t seed) noexcept {
    size_t h = seed ^ (name.section * 0x9E3779B97F4A7C15ULL);
    const char16_t* text = reinterpret_cast<const char16_t*>(name.text.constData());
    const qsizetype size = name.text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(text[i + 1])) {
            c = QChar::toCaseFolded(QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i]));
        } else {
            c = QChar::toCaseFolded(c);
        }
        h = (h ^ c) * 0x100000001B3ULL;
    }
    // The table picks buckets by the low bits, which the multiplications above mix poorly.
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ULL;
    return h ^ (h >> 32);
}

bool IniFile::Exists() const { return QFileInfo(path_).isFile(); }

void IniFile::Clear() {
    lines_.clear();
    first_ = last_ = kNone;
    sections_.clear();
    index_.clear();
}

bool IniFile::Load() {
    Clear();
    QByteArray bytes;
    if (!ReadWhole(path_, bytes, nullptr)) return false;
    Parse(bytes.toStdString());
    return true;
}

void IniFile::Parse(const std::string& bytes) {
    Clear();
    const QString text = DecodeSettingsText(bytes);
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    lines_.reserve(static_cast<size_t>(text.count(u'\n') + 1));
    index_.reserve(static_cast<qsizetype>(lines_.capacity()));  // about one name a line
    size_t current = kNone;
    qsizetype pos = 0;
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && data[end] != u'\r' && data[end] != u'\n') ++end;
        const QStringView line(data + pos, end - pos);
        pos = end + (end + 1 < size && data[end] == u'\r' && data[end + 1] == u'\n' ? 2 : 1);
        const size_t at = Append({line.toString(), Kind::Other, kNone, {}, {}});
        Line& l = lines_[at];
        const QStringView t = TrimBlanks(line);
        if (t.isEmpty() || t.front() == u';' || line.contains(QChar(0))) continue;  // NUL: binary garbage
        if (t.front() == u'[') {
            const qsizetype close = t.indexOf(u']');
            if (close < 0) {
                current = kNone;  // a broken header: its keys belong nowhere
                continue;
            }
            const QString name = TrimBlanks(t.sliced(1, close - 1)).toString();
            const qsizetype known = index_.size();
            size_t& slot = index_[Name{kNone, name}];
            if (index_.size() != known) {
                slot = sections_.size();
                sections_.push_back({name, at});
            }
            current = slot;
            l.kind = Kind::Header;
            l.section = current;
            sections_[current].last = at;
            continue;
        }
        const qsizetype eq = t.indexOf(u'=');
        if (eq <= 0 || current == kNone) continue;
        l.kind = Kind::Entry;
        l.section = current;
        l.key = TrimBlanks(t.first(eq)).toString();
        l.value = TrimBlanks(t.sliced(eq + 1)).toString();
        index_[Name{current, l.key}] = at;  // a repeated key: the last one counts
        sections_[current].last = at;
    }
}

size_t IniFile::Append(Line line) {
    const size_t at = lines_.size();
    lines_.push_back(std::move(line));
    if (last_ == kNone) first_ = at;
    else lines_[last_].next = at;
    last_ = at;
    return at;
}

size_t IniFile::InsertAfter(size_t after, Line line) {
    const size_t at = lines_.size();
    line.next = lines_[after].next;
    lines_.push_back(std::move(line));
    lines_[after].next = at;
    if (last_ == after) last_ = at;
    return at;
}

const IniFile::Line* IniFile::Find(const QString& section, const QString& key) const {
    const auto s = index_.constFind(Name{kNone, section});
    if (s == index_.cend()) return nullptr;
    const auto e = index_.constFind(Name{*s, key});
    return e == index_.cend() ? nullptr : &lines_[*e];
}

size_t IniFile::SectionFor(const QString& section) {
    const auto found = index_.constFind(Name{kNone, section});
    if (found != index_.cend()) return *found;
    // A new section goes at the end, set apart by a blank line, and ends with one.
    if (last_ != kNone && !TrimBlanks(lines_[last_].text).isEmpty()) Append({});
    const size_t s = sections_.size();
    const size_t header = Append({u'[' + section + u']', Kind::Header, s, {}, {}});
    Append({});
    sections_.push_back({section, header});
    index_.insert(Name{kNone, section}, s);
    return s;
}

void IniFile::Set(size_t section, const QString& key, const QString& value) {
    const auto found = index_.constFind(Name{section, key});
    if (found != index_.cend()) {
        Line& l = lines_[*found];
        if (l.value != value) {  // an unchanged value keeps its line as written
            l.value = value;
            l.text = l.key + u'=' + value;  // the key keeps the spelling it was first given
        }
        return;
    }
    Section& s = sections_[section];
    s.last = InsertAfter(s.last, {key + u'=' + value, Kind::Entry, section, key, value});
    index_.insert(Name{section, key}, s.last);
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    const Line* l = Find(section, key);
    return l ? l->value : fallback;
}

std::optional<long long> IniFile::ReadNumber(const QString& section, const QString& key) const {
    const Line* l = Find(section, key);
    return l ? ParseNumber(l->value) : std::nullopt;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    const std::optional<long long> n = ReadNumber(section, key);
    return n && *n >= INT_MIN && *n <= INT_MAX ? static_cast<int>(*n) : fallback;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return Find(section, key) != nullptr;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!ReadsBack(section, u']', false) || !ReadsBack(key, u'=', true)) {
        qWarning("Settings: [%s] %s cannot be stored so that it reads back; left out",
                 qUtf8Printable(section), qUtf8Printable(key));
        return;
    }
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ').replace(QChar(0), u' ');
    Set(SectionFor(section), key, TrimBlanks(v).toString());
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteInteger(section, key, value ? 1 : 0);
}

std::string IniFile::Serialize() const {
    QString out;
    for (size_t i = first_; i != kNone; i = lines_[i].next) {
        out += lines_[i].text;
        out += u"\r\n";
    }
    // Windows-1252 as always, unless a character has no form there or the bytes would be taken
    // for UTF-8 or a byte-order mark when read.
    std::string bytes = ToCp1252(out);
    if (DecodeSettingsText(bytes) == out) return bytes;
    return std::string(kUtf8Bom) + out.toStdString();
}

bool IniFile::Save(QString* error) const {
    IniFile merged(path_);
    QString reason;
    QByteArray old;
    // A file that cannot be read in full would lose what it holds: it stays as it is.
    if (!merged.Exists() || ReadWhole(path_, old, &reason)) {
        merged.Parse(old.toStdString());
        for (size_t i = first_; i != kNone; i = lines_[i].next) {
            const Line& l = lines_[i];
            if (l.kind == Kind::Header) merged.SectionFor(sections_[l.section].name);
            // Only the value that counts: an earlier repeated key would change the line for nothing.
            else if (l.kind == Kind::Entry && index_.value(Name{l.section, l.key}) == i)
                merged.Set(merged.SectionFor(sections_[l.section].name), l.key, l.value);
        }
        const std::string bytes = merged.Serialize();
        if (WriteFileAtomically(path_, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), &reason))
            return true;
    }
    if (error) *error = QCoreApplication::translate("FileWriting", "Cannot write %1: %2").arg(path_, reason);
    return false;
}

}  // namespace noctaris

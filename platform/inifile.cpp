#include "platform/inifile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "platform/atomic_write.h"
#include "platform/codec.h"

namespace noctaris {
namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The file's text: UTF-8 when the bytes are valid UTF-8 (plain ASCII is both), else Windows-1252.
QString DecodeSettingsText(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return FromCp1252(bytes);
}

QStringView TrimBlanks(QStringView line) {
    while (!line.isEmpty() && (line.front() == u' ' || line.front() == u'\t')) line = line.sliced(1);
    while (!line.isEmpty() && (line.back() == u' ' || line.back() == u'\t')) line.chop(1);
    return line;
}

// One optional sign, then decimal digits or hex after '$' or "0x"; nothing else, and only
// values an int holds.
std::optional<int> ParseInteger(const QString& value) {
    const std::string text = value.trimmed().toStdString();
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
    // Unsigned: from_chars then takes no second sign, and the magnitude of INT_MIN fits.
    unsigned long long magnitude = 0;
    const auto r = std::from_chars(first, last, magnitude, base);
    if (first == last || r.ec != std::errc() || r.ptr != last) return std::nullopt;
    const unsigned long long limit = negative ? 1ULL + INT_MAX : INT_MAX;
    if (magnitude > limit) return std::nullopt;
    const long long signedValue = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return static_cast<int>(signedValue);
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
    sections_.clear();
    index_.clear();
}

bool IniFile::Load() {
    Clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    Parse(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    return true;
}

void IniFile::Parse(const std::string& bytes) {
    Clear();
    index_.reserve(static_cast<qsizetype>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);  // about one name a line
    const QString text = DecodeSettingsText(bytes);
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    size_t current = kNoSection;
    qsizetype pos = 0;
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && data[end] != u'\r' && data[end] != u'\n') ++end;
        QStringView line(data + pos, end - pos);
        pos = end + 1;
        if (line.contains(QChar(0))) continue;  // binary garbage
        line = TrimBlanks(line);
        if (line.isEmpty() || line.front() == u';') continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            if (close < 0) {
                current = kNoSection;  // a broken header: its keys belong nowhere
                continue;
            }
            current = SectionFor(line.sliced(1, close - 1).trimmed().toString());
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || current == kNoSection) continue;
        const QString key = line.first(eq).trimmed().toString();
        if (key.isEmpty()) continue;
        Set(current, key, line.sliced(eq + 1).trimmed().toString());  // a repeated key: the last one wins
    }
}

const IniFile::Entry* IniFile::Find(const QString& section, const QString& key) const {
    const auto s = index_.constFind(Name{kNoSection, section});
    if (s == index_.cend()) return nullptr;
    const auto e = index_.constFind(Name{*s, key});
    return e == index_.cend() ? nullptr : &sections_[*s].entries[*e];
}

size_t IniFile::SectionFor(const QString& section) {
    const qsizetype known = index_.size();
    size_t& slot = index_[Name{kNoSection, section}];
    if (index_.size() != known) {
        slot = sections_.size();
        sections_.push_back({section, {}});
    }
    return slot;
}

void IniFile::Set(size_t section, const QString& key, const QString& value) {
    std::vector<Entry>& entries = sections_[section].entries;
    const qsizetype known = index_.size();
    size_t& slot = index_[Name{section, key}];
    if (index_.size() != known) {
        slot = entries.size();
        entries.push_back({key, value});
    } else {
        entries[slot].value = value;  // the key keeps the spelling it was first given
    }
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    const Entry* e = Find(section, key);
    return e ? e->value : fallback;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    const Entry* e = Find(section, key);
    if (!e) return fallback;
    return ParseInteger(e->value).value_or(fallback);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return Find(section, key) != nullptr;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    // Line breaks would split the entry; keep the value on its line.
    QString v = value;
    v.replace('\r', ' ').replace('\n', ' ');
    Set(SectionFor(section), key, v);
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteInteger(section, key, value ? 1 : 0);
}

std::string IniFile::Serialize() const {
    QString out;
    for (const Section& s : sections_) {
        out += u'[';
        out += s.name;
        out += u"]\r\n";
        for (const Entry& e : s.entries) {
            out += e.key;
            out += u'=';
            out += e.value;
            out += u"\r\n";
        }
        out += u"\r\n";
    }
    return ToCp1252(out);
}

bool IniFile::Save(QString* error) const {
    IniFile merged(path_);
    if (merged.Exists()) merged.Load();
    for (const Section& s : sections_) {
        const size_t target = merged.SectionFor(s.name);
        for (const Entry& e : s.entries) merged.Set(target, e.key, e.value);
    }
    const std::string bytes = merged.Serialize();
    QString reason;
    if (!WriteFileAtomically(path_, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), &reason)) {
        if (error) *error = QCoreApplication::translate("FileWriting", "Cannot write %1: %2").arg(path_, reason);
        return false;
    }
    return true;
}

}  // namespace noctaris

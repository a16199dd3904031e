#include "platform/inifile.h"

#include <charconv>
#include <climits>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/codec.h"

namespace noctaris {
namespace {
constexpr qint64 kMaxFileBytes = 1 << 20;  // settings files are tiny; ignore anything past 1 MiB

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
}  // namespace

bool IniFile::Exists() const { return QFileInfo(path_).isFile(); }

bool IniFile::Load() {
    sections_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.read(kMaxFileBytes);
    Parse(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    return true;
}

void IniFile::Parse(const std::string& bytes) {
    sections_.clear();
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + pos, end - pos);
        pos = end + 1;
        if (line.find('\0') != std::string_view::npos) continue;  // binary garbage
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos) {
                current = nullptr;  // a broken header: its keys belong nowhere
                continue;
            }
            current = &SectionFor(FromCp1252(line.substr(1, close - 1)).trimmed());
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0 || current == nullptr) continue;
        const QString key = FromCp1252(line.substr(0, eq)).trimmed();
        if (key.isEmpty()) continue;
        const QString value = FromCp1252(line.substr(eq + 1)).trimmed();
        bool replaced = false;
        for (Entry& e : current->entries)
            if (SameName(e.key, key)) {
                e.value = value;  // a repeated key: the last one wins
                replaced = true;
            }
        if (!replaced) current->entries.push_back({key, value});
    }
}

const IniFile::Entry* IniFile::Find(const QString& section, const QString& key) const {
    for (const Section& s : sections_)
        if (SameName(s.name, section))
            for (const Entry& e : s.entries)
                if (SameName(e.key, key)) return &e;
    return nullptr;
}

IniFile::Section& IniFile::SectionFor(const QString& section) {
    for (Section& s : sections_)
        if (SameName(s.name, section)) return s;
    sections_.push_back({section, {}});
    return sections_.back();
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    const Entry* e = Find(section, key);
    return e ? e->value : fallback;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    const Entry* e = Find(section, key);
    if (!e) return fallback;
    const std::string text = e->value.trimmed().toStdString();
    if (text.empty()) return fallback;
    const char* first = text.data();
    const char* last = first + text.size();
    bool negative = false;
    if (*first == '-' || *first == '+') {
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
    long long v = 0;
    const auto r = std::from_chars(first, last, v, base);
    if (r.ec != std::errc() || r.ptr != last || first == last) return fallback;
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return fallback;
    return static_cast<int>(v);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return Find(section, key) != nullptr;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Section& s = SectionFor(section);
    // Line breaks would split the entry; keep the value on its line.
    QString v = value;
    v.replace('\r', ' ').replace('\n', ' ');
    for (Entry& e : s.entries)
        if (SameName(e.key, key)) {
            e.value = v;
            return;
        }
    s.entries.push_back({key, v});
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteInteger(section, key, value ? 1 : 0);
}

std::string IniFile::Serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        out += '[' + ToCp1252(s.name) + "]\r\n";
        for (const Entry& e : s.entries) out += ToCp1252(e.key) + '=' + ToCp1252(e.value) + "\r\n";
        out += "\r\n";
    }
    return out;
}

bool IniFile::Save(QString* error) const {
    QSaveFile file(path_);
    const std::string bytes = Serialize();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        if (error) *error = QStringLiteral("Cannot write %1: %2").arg(path_, file.errorString());
        return false;
    }
    return true;
}

}  // namespace noctaris

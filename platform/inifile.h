#pragma once
// INI settings file in Windows-1252: sections of key=value lines. Reading is forgiving (a
// missing, truncated or binary file gives defaults; malformed lines are skipped; a file saved
// as UTF-8 by an editor is understood); writing replaces the file atomically, keeps what the
// program does not know and reports failure to the caller.
#include <string>
#include <vector>

#include <QHash>
#include <QString>

namespace noctaris {

class IniFile {
public:
    explicit IniFile(QString path) : path_(std::move(path)) {}

    const QString& Path() const { return path_; }
    bool Exists() const;
    // Reads the whole file. Returns false (and keeps no values) when it is missing or unreadable.
    bool Load();
    // Parses INI text (replaces current contents). The text is Windows-1252, unless it is valid
    // UTF-8, which a Windows-1252 file with any letter beyond ASCII almost never is; a UTF-8
    // byte-order mark is skipped.
    void Parse(const std::string& bytes);

    // Sections and keys are matched without regard to case.
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Integers the Delphi way: one optional sign, then decimal or $hex (0x also), surrounding
    // blanks allowed; anything else (including out-of-range numbers) gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // Any non-zero integer is true.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    bool ValueExists(const QString& section, const QString& key) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // The Windows-1252 bytes of these sections and keys, in the order they were read or written.
    std::string Serialize() const;
    // Writes the values set here into the file as it is on disk now: its other sections and keys
    // (written by another version or by hand) stay, in their order. Writes through a temporary
    // file renamed over the old one. On failure returns false, leaves any old file untouched and
    // puts a message naming the file and the reason into *error.
    bool Save(QString* error = nullptr) const;

private:
    struct Entry {
        QString key, value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    // A section name (section == kNoSection) or a key of a section, compared without regard to
    // case; hashing finds either in constant time, so parsing stays linear.
    static constexpr size_t kNoSection = static_cast<size_t>(-1);
    struct Name {
        size_t section;
        QString text;
        friend bool operator==(const Name& a, const Name& b) {
            return a.section == b.section && a.text.compare(b.text, Qt::CaseInsensitive) == 0;
        }
        static size_t Hash(const Name& name, size_t seed) noexcept;
        friend size_t qHash(const Name& name, size_t seed) noexcept { return Hash(name, seed); }
    };
    const Entry* Find(const QString& section, const QString& key) const;
    size_t SectionFor(const QString& section);
    void Set(size_t section, const QString& key, const QString& value);
    void Clear();

    QString path_;
    std::vector<Section> sections_;
    QHash<Name, size_t> index_;  // -> index into sections_, or into the section's entries
};

}  // namespace noctaris

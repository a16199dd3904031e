#pragma once
// INI settings file in Windows-1252: sections of key=value lines. Reading is forgiving (a
// missing, truncated or binary file gives defaults; malformed lines are skipped); writing
// replaces the file atomically and reports failure to the caller.
#include <string>
#include <vector>

#include <QString>

namespace noctaris {

class IniFile {
public:
    explicit IniFile(QString path) : path_(std::move(path)) {}

    const QString& Path() const { return path_; }
    bool Exists() const;
    // Reads the file. Returns false (and keeps no values) when it is missing or unreadable.
    bool Load();
    // Parses INI text given as Windows-1252 bytes (replaces current contents).
    void Parse(const std::string& bytes);

    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Integers the Delphi way: decimal or $hex, surrounding blanks allowed; anything else
    // (including out-of-range numbers) gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // Any non-zero integer is true.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    bool ValueExists(const QString& section, const QString& key) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // The file's bytes as they would be written.
    std::string Serialize() const;
    // Writes through a temporary file renamed over the old one. On failure returns false,
    // leaves any old file untouched and puts a message into *error.
    bool Save(QString* error = nullptr) const;

private:
    struct Entry {
        QString key, value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const Entry* Find(const QString& section, const QString& key) const;
    Section& SectionFor(const QString& section);

    QString path_;
    std::vector<Section> sections_;
};

}  // namespace noctaris

#pragma once
// INI settings file: sections of key=value lines, in Windows-1252 unless it holds text that code
// page cannot spell (then UTF-8). Reading is forgiving (a missing or binary file gives defaults;
// malformed lines are skipped; UTF-8 and UTF-16 files as editors save them are understood).
// Every line read is kept, so a save changes only the lines of values that changed and adds new
// keys after the last line of their section; comments and lines the reader skips stay where they
// were. Writing replaces the file atomically and reports failure to the caller.
#include <optional>
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
    // Parses INI text (replaces current contents). The text is UTF-16 after its byte-order mark;
    // else UTF-8 (a byte-order mark skipped) when it is valid UTF-8, which a Windows-1252 file with
    // any letter beyond ASCII almost never is; else Windows-1252.
    void Parse(const std::string& bytes);

    // Sections and keys are matched without regard to case; the last of repeated keys counts.
    // Spaces and tabs around lines, names and values are dropped; other white space is text.
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Integers the Delphi way: one optional sign, then decimal or $hex (0x also), surrounding
    // blanks allowed; anything else (including out-of-range numbers) gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // The stored integer however large (beyond long long: the nearest end of its range); nothing
    // when the key is missing or its value is not an integer. Lets a caller tell a number outside
    // its range from a missing one.
    std::optional<long long> ReadNumber(const QString& section, const QString& key) const;
    // Any non-zero integer is true.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // Line breaks and NULs in the value become spaces (they would split or hide the line), and
    // spaces and tabs around it are dropped as the reader drops them. A section or key that
    // would read back as something else (surrounding spaces or tabs, a line break, "=" or "]"
    // where they end the name, a key taken for a header or a comment) is left out with a warning.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // The file's bytes: every line as read or written, ended by CR LF; Windows-1252 when that
    // reads back as the same text, else UTF-8 with a byte-order mark.
    std::string Serialize() const;
    // Writes the values set here into the file as it is on disk now: its other lines (written by
    // another version or by hand) stay, in their order. Writes through a temporary file renamed
    // over the old one. On failure (including an existing file that cannot be read, which would
    // be lost) returns false, leaves any old file untouched and puts a message naming the file
    // and the reason into *error.
    bool Save(QString* error = nullptr) const;

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    enum class Kind : unsigned char { Other, Header, Entry };
    // A line of the file, kept as read until its value changes; the lines form a list in file
    // order so that a key is inserted in its section in constant time.
    struct Line {
        QString text;
        Kind kind = Kind::Other;
        size_t section = kNone;  // of a header or entry: index into sections_
        QString key, value;      // of an entry
        size_t next = kNone;
    };
    struct Section {
        QString name;
        size_t last;  // its last header or entry line in file order: new keys follow it
    };
    // A section name (section == kNone) or a key of a section, compared without regard to case;
    // hashing finds either in constant time, so parsing stays linear.
    struct Name {
        size_t section;
        QString text;
        friend bool operator==(const Name& a, const Name& b) {
            return a.section == b.section && a.text.compare(b.text, Qt::CaseInsensitive) == 0;
        }
        static size_t Hash(const Name& name, size_t seed) noexcept;
        friend size_t qHash(const Name& name, size_t seed) noexcept { return Hash(name, seed); }
    };
    const Line* Find(const QString& section, const QString& key) const;
    size_t SectionFor(const QString& section);  // adds a header at the end when there is none
    void Set(size_t section, const QString& key, const QString& value);
    size_t Append(Line line);
    size_t InsertAfter(size_t at, Line line);
    void Clear();

    QString path_;
    std::vector<Line> lines_;
    size_t first_ = kNone, last_ = kNone;
    std::vector<Section> sections_;
    QHash<Name, size_t> index_;  // -> index into sections_, or of a key into lines_
};

}  // namespace noctaris

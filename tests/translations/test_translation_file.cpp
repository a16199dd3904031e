// The German translation as committed: every entry finished and faithful to its source (the
// same placeholders, one mnemonic where the source has one, the same line ending), and every
// text the sources show present in it (lupdate run over the sources finds nothing new).
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <vector>

namespace {

struct Entry {
    QString context, source, comment;
    QStringList translations;  // one, or one per plural form
    QString type;              // "unfinished", "vanished", "obsolete" or empty
    QString Key() const { return context + u'\x1f' + source + u'\x1f' + comment; }
    std::string Name() const { return (context + " / \"" + source + "\"").toStdString(); }
};

std::vector<Entry> ReadTs(const QString& path, QString* language = nullptr) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<Entry> entries;
    QXmlStreamReader xml(&f);
    QString context;
    Entry* e = nullptr;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto name = xml.name();
        if (name == u"TS" && language) *language = xml.attributes().value("language").toString();
        else if (name == u"name") context = xml.readElementText();
        else if (name == u"message") e = &entries.emplace_back(Entry{context, {}, {}, {}, {}});
        else if (e && name == u"source") e->source = xml.readElementText();
        else if (e && name == u"comment") e->comment = xml.readElementText();
        else if (e && name == u"translation") {
            e->type = xml.attributes().value("type").toString();
            if (xml.attributes().value("numerus") != u"yes") e->translations << xml.readElementText();
        } else if (e && name == u"numerusform") e->translations << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return entries;
}

QString TsPath() { return QStringLiteral(NOCTARIS_TS_FILE); }

// "%1".."%99" and "%n" in the order of their numbers, for comparing source and translation.
QStringList Placeholders(const QString& text) {
    static const QRegularExpression re(QStringLiteral("%(\\d{1,2}|n)"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();) found << it.next().captured(0);
    found.sort();
    return found;
}

// The number of mnemonics ("&X"; "&&" is a plain ampersand).
int Mnemonics(const QString& text) {
    int n = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') ++i;
        else if (!text[i + 1].isSpace()) ++n;
    }
    return n;
}

QString LineEnd(const QString& text) {
    return text.endsWith("\r\n") ? "\r\n" : text.endsWith('\n') ? "\n" : text.endsWith('\t') ? "\t" : "";
}

TEST(TranslationFile, IsGermanAndHasTheMainWindow) {
    QString language;
    const std::vector<Entry> entries = ReadTs(TsPath(), &language);
    EXPECT_EQ(language, "de");
    bool file = false;
    for (const Entry& e : entries) file |= e.context == "noctaris::MainWindow" && e.source == "&File";
    EXPECT_TRUE(file) << "the main window's File menu is not in " << TsPath().toStdString();
}

TEST(TranslationFile, EveryEntryIsFinishedAndNotEmpty) {
    int bad = 0;
    for (const Entry& e : ReadTs(TsPath())) {
        const bool empty = e.translations.isEmpty() ||
                           std::any_of(e.translations.begin(), e.translations.end(),
                                       [](const QString& t) { return t.isEmpty(); });
        if (!e.type.isEmpty() || empty) {
            ADD_FAILURE() << e.Name() << (e.type.isEmpty() ? " has an empty translation" : " is " + e.type.toStdString());
            if (++bad > 20) return;
        }
    }
}

TEST(TranslationFile, TranslationsKeepPlaceholdersMnemonicsAndLineEnds) {
    for (const Entry& e : ReadTs(TsPath())) {
        for (const QString& t : e.translations) {
            if (t.isEmpty()) continue;  // reported above
            EXPECT_EQ(Placeholders(t), Placeholders(e.source)) << e.Name() << " -> \"" << t.toStdString() << '"';
            EXPECT_EQ(Mnemonics(t), Mnemonics(e.source)) << e.Name() << " -> \"" << t.toStdString() << '"';
            EXPECT_EQ(LineEnd(t), LineEnd(e.source)) << e.Name() << " -> \"" << t.toStdString() << '"';
        }
    }
}

TEST(TranslationFile, NoTextTwice) {
    QSet<QString> seen;
    for (const Entry& e : ReadTs(TsPath())) {
        EXPECT_FALSE(seen.contains(e.Key())) << e.Name() << " is in the file twice";
        seen.insert(e.Key());
    }
}

// lupdate over the sources into a copy of the file: a text the program shows but the file lacks
// comes back unfinished, a text the sources no longer have is dropped.
TEST(TranslationFile, HoldsEveryTextTheSourcesShow) {
    const QString lupdate = QStringLiteral(NOCTARIS_LUPDATE);
    if (lupdate.isEmpty()) GTEST_SKIP() << "lupdate was not found when the build was configured";
    QTemporaryDir dir;
    const QString copy = dir.filePath("noctaris_de.ts");
    ASSERT_TRUE(QFile::copy(TsPath(), copy));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LUPDATE", lupdate);
    env.insert("ASAN_OPTIONS", "detect_leaks=0");  // lupdate is not ours
    p.setProcessEnvironment(env);
    p.start("bash", {QStringLiteral(NOCTARIS_SOURCE_DIR) + "/tools/update-translations.sh", copy});
    ASSERT_TRUE(p.waitForFinished(300000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    QSet<QString> committed;
    for (const Entry& e : ReadTs(TsPath())) committed.insert(e.Key());
    QSet<QString> inSources;
    int missing = 0;
    for (const Entry& e : ReadTs(copy)) {
        inSources.insert(e.Key());
        if (!committed.contains(e.Key()) && ++missing <= 30)
            ADD_FAILURE() << e.Name() << " is shown by the program but not in the translation";
    }
    for (const Entry& e : ReadTs(TsPath()))
        EXPECT_TRUE(inSources.contains(e.Key())) << e.Name() << " is no longer in the sources";
}

// The English texts are the English program: none of the German words, typos and wrong terms
// it once showed may come back, nor a number written with a decimal comma.
TEST(TranslationFile, EnglishSourcesHaveNoGermanTyposOrWrongTerms) {
    static const QRegularExpression never(QStringLiteral(
        "\\b(Beggining|maximale|lenght|Geozentric|Radiaded|Lumonicity|volicity|unvisible|informations|"
        "der|Datumseingabe|Europe|Ganymed|Dwarfplanet|Mill|millions|Billion|REarth|rE|VE|mE|AE|ZT|SCl|"
        "Height|width|length|Sun time|Sun place|Ring-shaped|Contour|Illuminating|Brightness|brightness|"
        "Begin of|Consider|lower conjunction|upper conjunction|conjunction to)\\b|\\d,\\d|\\.\\.\\."));
    for (const Entry& e : ReadTs(TsPath())) {
        const QRegularExpressionMatch m = never.match(e.source);
        EXPECT_FALSE(m.hasMatch()) << e.Name() << ": \"" << m.captured(0).toStdString() << '"';
    }
}

}  // namespace

// The shipped catalogues: the program speaks the system's language, and every translation
// keeps what the code fills in or appends.

#include "CVLHyperlink.h"
#include "CVLString.h"
#include "CVLTranslationInstaller.h"
#include "CVLURLRedirectorApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace
{
const QString kProgram = QStringLiteral(VL_BINARY_DIR "/app/vlurlredirector");
const QString kCompiledCatalogues = QStringLiteral(VL_BINARY_DIR "/app/translations");
// Lexically: the data folder of these tests need not exist.
const QString kSourceRoot = QDir::cleanPath(QStringLiteral(VL_TEST_DATA_DIR "/../../.."));
const QString kCatalogueDir = kSourceRoot + QStringLiteral("/resources/translations");

// ---------------------------------------------------------------------------------------------
// Reading a .ts file.

struct TsEntry
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString translationType; // "" when finished, else "unfinished", "obsolete", "vanished"
    qint64 line = 0;
};

bool ReadTs(const QString& path, QList<TsEntry>& entries, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        error = QStringLiteral("cannot open ") + path;
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsEntry entry;
    while (!xml.atEnd())
    {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("context"))
            context.clear();
        else if (name == QLatin1String("name"))
            context = xml.readElementText();
        else if (name == QLatin1String("message"))
        {
            entry = TsEntry();
            entry.context = context;
            entry.line = xml.lineNumber();
        }
        else if (name == QLatin1String("source"))
            entry.source = xml.readElementText();
        else if (name == QLatin1String("comment"))
            entry.comment = xml.readElementText();
        else if (name == QLatin1String("translation"))
        {
            entry.translationType = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText();
            entries.append(entry);
        }
    }
    if (xml.hasError())
    {
        error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

QString Key(const TsEntry& e)
{
    return e.context + QLatin1Char('|') + e.source + QLatin1Char('|') + e.comment;
}

QSet<QString> Keys(const QList<TsEntry>& entries)
{
    QSet<QString> keys;
    for (const TsEntry& e : entries)
        keys.insert(Key(e));
    return keys;
}

// What the code fills in later: placeholder codes (%PRDNM%), QString::arg markers (%1, %L1)
// and printf conversions (%s, %d, %lu, %5.2f). Sorted, so order may change but not the set.
QStringList Placeholders(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("%[A-Za-z][A-Za-z0-9_]*%|%L?[0-9]+|%[-+ #0]*[0-9]*(?:\\.[0-9]+)?(?:ll|l|h|z)?[diouxXfFeEgGcsp]|%%"));
    QStringList found;
    auto it = re.globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured());
    found.sort();
    return found;
}

// The number of keyboard mnemonics ("&Path:"); "&&" is a literal ampersand.
int Mnemonics(const QString& text)
{
    int count = 0;
    for (int i = 0; i + 1 < text.size(); ++i)
    {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            ++count;
        ++i;
    }
    return count;
}

QString LeadingSpace(const QString& text)
{
    int n = 0;
    while (n < text.size() && text[n].isSpace())
        ++n;
    return text.left(n);
}

QString TrailingSpace(const QString& text)
{
    int n = 0;
    while (n < text.size() && text[text.size() - 1 - n].isSpace())
        ++n;
    return text.right(n);
}

QStringList LanguageCatalogues()
{
    return QDir(kCatalogueDir).entryList({QStringLiteral("vlurlredirector_*.ts")}, QDir::Files, QDir::Name);
}
} // namespace

// ---------------------------------------------------------------------------------------------
// The catalogues themselves.

TEST(TranslationCatalogue, EveryLanguageTranslatesEveryTextKeepingWhatTheCodeFillsIn)
{
    const QStringList files = LanguageCatalogues();
    ASSERT_TRUE(files.contains(QStringLiteral("vlurlredirector_de.ts"))) << kCatalogueDir.toStdString();
    for (const QString& name : files)
    {
        SCOPED_TRACE(name.toStdString());
        QList<TsEntry> entries;
        QString error;
        ASSERT_TRUE(ReadTs(kCatalogueDir + QLatin1Char('/') + name, entries, error)) << error.toStdString();
        EXPECT_GT(entries.size(), 200);
        for (const TsEntry& e : entries)
        {
            const std::string where = QStringLiteral("line %1, %2: \"%3\"")
                                          .arg(e.line)
                                          .arg(e.context, e.source)
                                          .toStdString();
            EXPECT_TRUE(e.translationType.isEmpty()) << where << " is " << e.translationType.toStdString();
            EXPECT_FALSE(e.translation.isEmpty()) << where << " has no translation";
            EXPECT_EQ(Placeholders(e.translation).join(QLatin1Char(' ')).toStdString(),
                      Placeholders(e.source).join(QLatin1Char(' ')).toStdString())
                << where;
            EXPECT_EQ(Mnemonics(e.translation), Mnemonics(e.source)) << where;
            // Fragments are joined with names and the syntax help: the joints must stay.
            EXPECT_EQ(LeadingSpace(e.translation).toStdString(), LeadingSpace(e.source).toStdString()) << where;
            EXPECT_EQ(TrailingSpace(e.translation).toStdString(), TrailingSpace(e.source).toStdString()) << where;
            EXPECT_EQ(e.translation.count(QLatin1Char('\n')), e.source.count(QLatin1Char('\n'))) << where;
        }
    }
}

TEST(TranslationCatalogue, PlaceholderCheckSeesTheKindsOfPlaceholder)
{
    EXPECT_EQ(Placeholders(QStringLiteral("Contact your %PRDNM% administrator at %GNSRV%.")),
              (QStringList{QStringLiteral("%GNSRV%"), QStringLiteral("%PRDNM%")}));
    EXPECT_EQ(Placeholders(QStringLiteral("at: %0\n%1 in %0() %L2")),
              (QStringList{QStringLiteral("%0"), QStringLiteral("%0"), QStringLiteral("%1"), QStringLiteral("%L2")}));
    EXPECT_EQ(Placeholders(QStringLiteral("fork(): %d, %s, %lu, 100%%")),
              (QStringList{QStringLiteral("%%"), QStringLiteral("%d"), QStringLiteral("%lu"), QStringLiteral("%s")}));
    EXPECT_TRUE(Placeholders(QStringLiteral("Program files (*.app);;All Files (*)")).isEmpty());
    EXPECT_EQ(Mnemonics(QStringLiteral("&Use && keep")), 1);
}

TEST(TranslationCatalogue, TemplateAndLanguagesListTheSameTexts)
{
    QList<TsEntry> templ;
    QString error;
    ASSERT_TRUE(ReadTs(kCatalogueDir + QStringLiteral("/vlurlredirector.ts"), templ, error)) << error.toStdString();
    const QSet<QString> templateKeys = Keys(templ);
    for (const QString& name : LanguageCatalogues())
    {
        QList<TsEntry> entries;
        ASSERT_TRUE(ReadTs(kCatalogueDir + QLatin1Char('/') + name, entries, error)) << error.toStdString();
        EXPECT_EQ(Keys(entries), templateKeys) << name.toStdString() << ": rerun the update_translations target";
    }
}

// A text added to the code without rerunning update_translations would stay English for everyone.
TEST(TranslationCatalogue, CatalogueHoldsEveryTranslatableTextOfTheSources)
{
    QString lupdate = QLibraryInfo::location(QLibraryInfo::BinariesPath) + QStringLiteral("/lupdate");
    if (!QFileInfo(lupdate).isExecutable())
        GTEST_SKIP() << "lupdate not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString extracted = dir.filePath(QStringLiteral("extracted.ts"));
    QStringList args{QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
                     QStringLiteral("-extensions"), QStringLiteral("cpp,h,ui"), QStringLiteral("-silent")};
    for (const char* folder : {"foundation", "hyperlink", "protocol", "ui", "app"})
        args << kSourceRoot + QLatin1Char('/') + QLatin1String(folder);
    args << QStringLiteral("-ts") << extracted;
    QProcess p;
    p.start(lupdate, args);
    ASSERT_TRUE(p.waitForFinished(20000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();

    QList<TsEntry> fromSources, shipped;
    QString error;
    ASSERT_TRUE(ReadTs(extracted, fromSources, error)) << error.toStdString();
    ASSERT_TRUE(ReadTs(kCatalogueDir + QStringLiteral("/vlurlredirector_de.ts"), shipped, error)) << error.toStdString();
    const QSet<QString> shippedKeys = Keys(shipped);
    for (const TsEntry& e : fromSources)
        EXPECT_TRUE(shippedKeys.contains(Key(e)))
            << e.context.toStdString() << ": \"" << e.source.toStdString() << "\" is not in the catalogue; "
            << "rerun the update_translations target and translate it";
}

// ---------------------------------------------------------------------------------------------
// Installing the catalogues.

class TranslationInstallerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(kCompiledCatalogues + QStringLiteral("/vlurlredirector_de.qm")))
            << "build the vlurlredirector target first";
    }

    static QString ParserMessage(const char* link)
    {
        CVLString message;
        EXPECT_FALSE(CVLHyperlink::isValidHyperlink(CVLString(link), message));
        return message.ToQString();
    }

    static QString QtCancel() { return QCoreApplication::translate("QPlatformTheme", "Cancel"); }
};

TEST_F(TranslationInstallerTest, GermanCataloguesServeWhileInstalled)
{
    const QString english = ParserMessage("vlstudio://srv//P/dfct");
    ASSERT_EQ(english, QStringLiteral("The address must contain a port number."));
    {
        // A regional variant finds the general catalogue.
        CVLTranslationInstaller installer(QLocale(QStringLiteral("de_AT")), kCompiledCatalogues);
        EXPECT_TRUE(installer.HasAppCatalogue());
        EXPECT_EQ(ParserMessage("vlstudio://srv//P/dfct"), QStringLiteral("Die Adresse muss eine Portnummer enthalten."));
        // The key and the untranslated syntax help still sit at their joints.
        EXPECT_EQ(ParserMessage("vlstudio://srv:80//P/dfct?zzz=1"), QStringLiteral("Der Parameter zzz ist ungültig."));
        EXPECT_TRUE(ParserMessage("vlstudio://srv:80")
                        .startsWith(QStringLiteral("Die Syntax des Servernamens ist falsch. The following syntax")));
        if (QFileInfo::exists(QLibraryInfo::location(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm")))
        {
            EXPECT_TRUE(installer.HasQtCatalogue());
            EXPECT_EQ(QtCancel(), QStringLiteral("Abbrechen"));
        }
    }
    EXPECT_EQ(ParserMessage("vlstudio://srv//P/dfct"), english);
    EXPECT_EQ(QtCancel(), QStringLiteral("Cancel"));
}

TEST_F(TranslationInstallerTest, LanguageWithoutCatalogueKeepsEnglishThroughout)
{
    // Qt has French button texts, the program has none: a French user gets one language.
    CVLTranslationInstaller installer(QLocale(QStringLiteral("fr_FR")), kCompiledCatalogues);
    EXPECT_FALSE(installer.HasAppCatalogue());
    EXPECT_FALSE(installer.HasQtCatalogue());
    EXPECT_EQ(ParserMessage("vlstudio://srv//P/dfct"), QStringLiteral("The address must contain a port number."));
    EXPECT_EQ(QtCancel(), QStringLiteral("Cancel"));
}

// ---------------------------------------------------------------------------------------------
// The program, started as the desktop starts it, in the user's language.

namespace
{
struct LanguageCase
{
    const char* name;
    const char* lang;
    const char* link;
    const char* expected; // a line of standard error
};

std::ostream& operator<<(std::ostream& os, const LanguageCase& c)
{
    return os << c.name;
}

// The message boxes write their text to standard error, one line each, then wait for a person.
const LanguageCase kLanguageCases[] = {
    {"GermanParserMessage", "de_DE.UTF-8", "vlstudio://srv//P/dfct", "Die Adresse muss eine Portnummer enthalten."},
    {"GermanKeyMessage", "de_DE.UTF-8", "vlstudio://srv:80//P/dfct?zzz=1", "Der Parameter zzz ist ungültig."},
    {"RegionalVariant", "de_CH.UTF-8", "vlstudio://srv//P/dfct", "Die Adresse muss eine Portnummer enthalten."},
    {"EnglishUnderC", "C", "vlstudio://srv//P/dfct", "The address must contain a port number."},
    {"EnglishWithoutCatalogue", "fr_FR.UTF-8", "vlstudio://srv//P/dfct", "The address must contain a port number."},
    // Version and copyright are not translated; the German program still reports them.
    {"GermanVersion", "de_DE.UTF-8", "vlstudio://print_version", nullptr},
};

class ProgramLanguageTest : public ::testing::TestWithParam<LanguageCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_Home.isValid());
        ASSERT_TRUE(QFileInfo(kProgram).isExecutable()) << "build the vlurlredirector target first";
    }

    std::unique_ptr<QProcess> Start(const char* lang, const char* link)
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // LANG alone decides, as on a desktop without overrides.
        for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            env.remove(QLatin1String(var));
        env.insert(QStringLiteral("LANG"), QLatin1String(lang));
        env.insert(QStringLiteral("HOME"), m_Home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
        if (!asan.isEmpty())
            asan += QLatin1Char(':');
        env.insert(QStringLiteral("ASAN_OPTIONS"), asan + QStringLiteral("detect_leaks=0"));
        p->setProcessEnvironment(env);
        p->start(kProgram, {QString::fromUtf8(link)});
        EXPECT_TRUE(p->waitForStarted(5000)) << kProgram.toStdString();
        return p;
    }

    // Waits until a whole line of the program's standard error is `wanted` (true), or gives up.
    static bool WaitForLine(QProcess& p, const QByteArray& wanted, QByteArray& seen, int ms = 5000)
    {
        QElapsedTimer t;
        t.start();
        auto hasLine = [&]
        {
            QList<QByteArray> lines = seen.split('\n');
            lines.removeLast(); // not finished yet
            return lines.contains(wanted);
        };
        for (;;)
        {
            seen += p.readAllStandardError();
            if (hasLine())
                return true;
            if (t.elapsed() >= ms || p.state() == QProcess::NotRunning)
                break;
            p.waitForReadyRead(100);
        }
        seen += p.readAllStandardError();
        return hasLine();
    }

    QTemporaryDir m_Home;
};
} // namespace

TEST_P(ProgramLanguageTest, BoxTextIsInTheSystemLanguage)
{
    const LanguageCase& c = GetParam();
    QByteArray wanted;
    if (c.expected)
        wanted = QByteArray(c.expected);
    else
    {
        QString version;
        CVLURLRedirectorApp::GetVersionStr(version);
        wanted = version.replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8();
    }
    auto p = Start(c.lang, c.link);
    QByteArray seen;
    EXPECT_TRUE(WaitForLine(*p, wanted, seen)) << seen.constData();
    p->kill();
    p->waitForFinished(5000);
}

INSTANTIATE_TEST_SUITE_P(Languages, ProgramLanguageTest, ::testing::ValuesIn(kLanguageCases),
                         [](const ::testing::TestParamInfo<LanguageCase>& row) { return std::string(row.param.name); });

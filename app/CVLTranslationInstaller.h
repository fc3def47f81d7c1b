#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// Puts the program's own catalogue and Qt's catalogue (standard buttons such as "OK" and
// "Cancel") for one language in front of every translation lookup, for as long as the
// object lives. Needs the application object to exist. A language without a catalogue
// leaves the built-in English texts in place; that is not a failure.
class CVLTranslationInstaller
{
public:
    // `catalogueDir` holds vlurlredirector_<language>.qm; the program has them compiled in.
    explicit CVLTranslationInstaller(const QLocale& locale = QLocale::system(),
                                     const QString& catalogueDir = QStringLiteral(":/translations"));
    ~CVLTranslationInstaller();

    CVLTranslationInstaller(const CVLTranslationInstaller&) = delete;
    CVLTranslationInstaller& operator=(const CVLTranslationInstaller&) = delete;

    bool HasAppCatalogue() const { return m_AppInstalled; }
    bool HasQtCatalogue() const { return m_QtInstalled; }

private:
    QTranslator m_AppTranslator;
    QTranslator m_QtTranslator;
    bool m_AppInstalled = false;
    bool m_QtInstalled = false;
};

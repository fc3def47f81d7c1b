#include "CVLTranslationInstaller.h"

#include <QCoreApplication>
#include <QLibraryInfo>

CVLTranslationInstaller::CVLTranslationInstaller(const QLocale& locale, const QString& catalogueDir)
{
    // The locale's UI languages are tried in order (de_DE, then de), so a regional variant
    // finds the general catalogue. Qt reads LANGUAGE/LC_ALL/LC_MESSAGES/LANG itself, so this
    // works whether or not the C library has the locale generated.
    if (m_AppTranslator.load(locale, QStringLiteral("vlurlredirector"), QStringLiteral("_"), catalogueDir))
        m_AppInstalled = QCoreApplication::installTranslator(&m_AppTranslator);

    // Installed only when the program itself speaks the language: otherwise an English
    // dialog would carry, say, German buttons.
    if (m_AppInstalled &&
        m_QtTranslator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        m_QtInstalled = QCoreApplication::installTranslator(&m_QtTranslator);
}

CVLTranslationInstaller::~CVLTranslationInstaller()
{
    if (m_QtInstalled)
        QCoreApplication::removeTranslator(&m_QtTranslator);
    if (m_AppInstalled)
        QCoreApplication::removeTranslator(&m_AppTranslator);
}

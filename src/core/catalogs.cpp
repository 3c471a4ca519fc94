#include "core/catalogs.h"

#include "core/strings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

Catalogs::Catalogs(QObject *parent)
    : QObject(parent), m_program(new QTranslator(this)), m_qt(new QTranslator(this)) {}

bool Catalogs::install(const LanguageInfo &language) {
    QCoreApplication::removeTranslator(m_program);
    QCoreApplication::removeTranslator(m_qt);
    // Loading into a translator that holds a catalog replaces it; a failed load leaves it empty.
    const bool ownFound = loadProgramCatalog(*m_program, language.code);
    if (ownFound)
        QCoreApplication::installTranslator(m_program);
    // Qt's texts are English already: its English catalog is empty, and looking for it costs
    // a search of Qt's folders at every start.
    const bool english = language.code == programLanguages().constFirst().code;
    if (!english && m_qt->load(QStringLiteral("qtbase_") + language.code,
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qt);
    return ownFound || english;
}

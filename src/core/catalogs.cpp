#include "core/catalogs.h"

#include "core/strings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

Catalogs::Catalogs(QObject *parent)
    : QObject(parent), program_(new QTranslator(this)), qt_(new QTranslator(this)) {}

bool Catalogs::install(const LanguageInfo &language) {
    QCoreApplication::removeTranslator(program_);
    QCoreApplication::removeTranslator(qt_);
    // Loading into a translator that holds a catalog replaces it; a failed load leaves it empty.
    const bool ownFound = loadProgramCatalog(*program_, language.code);
    if (ownFound)
        QCoreApplication::installTranslator(program_);
    // Qt's texts are English already: its English catalog is empty, and looking for it costs
    // a search of Qt's folders at every start.
    const bool english = language.code == programLanguages().constFirst().code;
    if (!english && qt_->load(QStringLiteral("qtbase_") + language.code,
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt_);
    return ownFound || english;
}

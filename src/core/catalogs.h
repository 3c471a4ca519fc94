#pragma once

#include "core/languages.h"

#include <QObject>

class QTranslator;

// The translation catalogs installed on the application: the program's own and Qt's own (the
// Yes and No of message boxes, the text fields' context menus). One language at a time.
class Catalogs : public QObject {
    Q_OBJECT
public:
    explicit Catalogs(QObject *parent = nullptr);

    // Replaces the installed catalogs by the language's. A catalog that is missing leaves those
    // texts in English, the language of the source texts; false when the program's own is
    // missing for a language other than English.
    bool install(const LanguageInfo &language);

private:
    QTranslator *m_program;
    QTranslator *m_qt;
};

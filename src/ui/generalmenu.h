#pragma once

#include "core/languages.h"
#include "core/strings.h"

#include <QMenu>

class QAction;

// The general menu: minimise, sound, language, start with the desktop, help, About and exit.
// The main window opens it at the pointer on a right press and below the focused control on the
// menu key or Shift+F10.
class GeneralMenu : public QMenu {
    Q_OBJECT
public:
    GeneralMenu(const LanguageList &languages, QWidget *parent);

    void applyTexts(const MainTexts &texts);
    void showSound(bool on);
    void showLanguage(int index);

signals:
    void minimiseChosen();
    void soundChosen(bool on);
    void languageChosen(int index);
    void helpChosen();
    void aboutChosen();
    void exitChosen();

private:
    void setAutostart(bool on);

    QAction *m_minimiseItem = nullptr;
    QAction *m_soundItem = nullptr;
    QMenu *m_languageMenu = nullptr;
    QList<QAction *> m_languageItems; // one per language, in list order
    QAction *m_autostartItem = nullptr;
    QAction *m_helpItem = nullptr;
    QAction *m_aboutItem = nullptr;
    QAction *m_exitItem = nullptr;
};

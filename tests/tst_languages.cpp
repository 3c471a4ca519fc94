// Languages as catalogs: a third language switched in and out at run time, and Qt's own texts
// (the message boxes' buttons, the text fields' menus) following the language.

#include "alltexts.h"
#include "fakes.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

// The test-only language: its catalog vekora_xx is embedded in this test alone.
LanguageInfo pseudo() {
    return {QStringLiteral("xx"), QStringLiteral("Pseudo"), QStringLiteral("Pseudo (test)"),
            QStringLiteral("VekoraXx.avi"), QLatin1Char('X')};
}

// Every text a user can see in a window and its children, with the control it belongs to.
QStringList shownTexts(const QWidget &window) {
    QStringList texts{window.windowTitle()};
    for (const QObject *object : window.findChildren<QObject *>()) {
        const QString name = object->objectName() + QLatin1Char('=');
        for (const char *property : {"text", "title", "toolTip", "plainText", "currentText"}) {
            const QVariant value = object->property(property);
            if (value.isValid())
                texts << name + property + QLatin1Char(':') + value.toString();
        }
        if (const auto *box = qobject_cast<const QComboBox *>(object))
            for (int i = 0; i < box->count(); ++i)
                texts << name + box->itemText(i);
    }
    return texts;
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT

private slots:
    // Every text the program has goes through the catalogs: in the pseudo-language each line of
    // each text is its English line in brackets. Only the maker's names are never translated.
    void everyTextIsInTheCatalog() {
        const QStringList en = allTexts(strings(Language::English));
        const QStringList xx = allTexts(strings(pseudo()));
        QCOMPARE(xx.size(), en.size());
        const QStringList names{"Ejnar Klokkerholm", "Norvak ApS"};
        for (qsizetype i = 0; i < en.size(); ++i) {
            QStringList expected;
            for (const QString &line : en[i].split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
                expected << (names.contains(line) ? line : u'[' + line + u']');
            QCOMPARE(xx[i], expected.join(QStringLiteral("\r\n")));
        }
    }

    // One more row in the list is all a language needs: a menu item, its texts everywhere, its
    // date layout, its help page and its number in the settings file; and switching back gives
    // exactly the texts the window had before.
    void thirdLanguageSwitchesInAndOut() {
        TestRig rig;
        Platform platform = rig.platform();
        platform.languages.append(pseudo());
        rig.writeIni(iniWithAlarm(QStringLiteral("07:30"), 3));
        auto form = std::make_unique<Form1>(platform);
        form->findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        form->Form_Load();
        form->Timer1_Timer();
        const QStringList english = shownTexts(*form) + shownTexts(*form->aboutWindow());

        QList<QAction *> items = form->generalMenu()->findChild<QMenu *>("menuLanguage")->actions();
        QCOMPARE(items.size(), 3);
        form->menuLang_Click(-1); // no choice, no change
        QVERIFY(!form->model().changed());
        items[2]->trigger();
        QVERIFY(form->model().changed());
        // A choice of one: the style draws radio items for an exclusive group, not tick boxes.
        QVERIFY(items[2]->actionGroup() && items[2]->actionGroup()->isExclusive());
        QVERIFY(!items[0]->isChecked() && !items[1]->isChecked() && items[2]->isChecked());
        QCOMPARE(form->language(), std::optional(Language(2)));
        form->Timer1_Timer();
        QCOMPARE(
            (QStringList{form->windowTitle(), child<QLabel>(*form, "Label(3)")->text(),
                         child<QPushButton>(*form, "CmdStop")->text(),
                         child<QComboBox>(*form, "cboDay")->currentText()}),
            (QStringList{"[Norvak Vekora]", "[[Mondag] [December], 7 2026]", "[On] ((o))", "[Tu"}));
        QCOMPARE(form->helpPath(), rig.folder() + QStringLiteral("VKhelp-xx.html"));
        form->GemIni();
        QCOMPARE(rig.iniLines().value(0), QStringLiteral("2"));

        items[0]->trigger();
        form->Timer1_Timer(); // the date line follows at the next tick
        QCOMPARE(shownTexts(*form) + shownTexts(*form->aboutWindow()), english);
    }

    // Qt's own catalog comes and goes with the program's: the exit question answers Ja/Nej in
    // Danish.
    void qtTextsFollowTheLanguage() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        const auto exitButtons = [&form] {
            QStringList seen;
            onNextModal([&seen](QWidget *modal) {
                auto *box = qobject_cast<QMessageBox *>(modal);
                seen << box->button(QMessageBox::Yes)->text()
                     << box->button(QMessageBox::No)->text();
                box->button(QMessageBox::No)->click();
            });
            form->menuExit_Click();
            return seen;
        };
        form->menuLang_Click(1);
        QCOMPARE(exitButtons(), (QStringList{"&Ja", "&Nej"}));
        form->menuLang_Click(0);
        QCOMPARE(exitButtons(), (QStringList{"&Yes", "&No"}));
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"

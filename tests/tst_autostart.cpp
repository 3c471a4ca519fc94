#include "fakes.h"
#include "platform/autostart.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {
QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The menu as the user meets it: opening it looks at the autostart folder again.
QAction *autostartItem(Form1 &form) {
    emit form.generalMenu()->aboutToShow();
    return child<QAction>(form, "menuAutostart");
}

} // namespace

class TestAutostart : public QObject {
    Q_OBJECT

    QTemporaryDir config;
    QString entryPath() const {
        return config.filePath(QStringLiteral("autostart/vekora.desktop"));
    }

private slots:
    void initTestCase() {
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QCOMPARE(autostartEntryPath(), entryPath());
    }

    void execArgument_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/vekora"
                               << "/usr/bin/vekora";
        // Quoting escapes " ` $ \ with a backslash, then the string escape doubles each one.
        QTest::newRow("dollar, backtick") << "/a$b`c/vekora"
                                          << "\"/a\\\\$b\\\\`c/vekora\"";
        QTest::newRow("backslash") << "/a\\b/vekora"
                                   << "\"/a\\\\\\\\b/vekora\"";
        QTest::newRow("percent, not reserved") << "/50%/vekora"
                                               << "/50%%/vekora";
        QTest::newRow("newline") << "/a\nb/vekora"
                                 << "\"/a\\nb/vekora\"";
    }
    void execArgument() {
        QFETCH(QString, path);
        QFETCH(QString, exec);
        QCOMPARE(::execArgument(path), exec);
    }

    void entryIsValid() {
        const QString program = QStringLiteral("/opt/my \"odd\" apps/vekora");
        const QByteArray expected = "[Desktop Entry]\n"
                                    "Type=Application\n"
                                    "Name=Vekora\n"
                                    "Name[da]=Vekuret\n"
                                    "Exec=\"/opt/my \\\\\"odd\\\\\" apps/vekora\"\n"
                                    "Icon=vekora\n"
                                    "Terminal=false\n";
        QCOMPARE(autostartEntry(program), expected);

        QString error;
        QVERIFY(setAutostart(true, entryPath(), program, error));
        QCOMPARE(readAll(entryPath()), expected);
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {entryPath()});
        QVERIFY2(validate.waitForFinished(10000), "desktop-file-validate (desktop-file-utils)");
        QVERIFY2(validate.exitCode() == 0 && validate.readAll().isEmpty(),
                 validate.readAllStandardError());
        QVERIFY(setAutostart(false, entryPath(), program, error));
        QVERIFY(!QFileInfo::exists(entryPath()));
        QVERIFY(setAutostart(false, entryPath(), program, error)); // nothing to remove
    }

    // A desktop-entry reader (GLib's, as GNOME's session uses) gets back the very path.
    void startsTheProgramAtAnOddPath() {
        if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
            QSKIP("gio (libglib2.0-bin) is not installed");
        QTemporaryDir dir;
        const QString folder =
            dir.filePath(QStringLiteral("my \"odd\" $HOME `x` back\\slash it's"));
        QVERIFY(QDir().mkpath(folder));
        const QString program = folder + QStringLiteral("/vekora");
        const QString ran = dir.filePath(QStringLiteral("ran"));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf %s \"$0\" > \"$VEKORA_RAN\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);

        const QString entry = dir.filePath(QStringLiteral("vekora.desktop"));
        QString error;
        QVERIFY(setAutostart(true, entry, program, error));
        QProcess launch;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VEKORA_RAN"), ran);
        launch.setProcessEnvironment(env);
        launch.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry});
        QVERIFY(launch.waitForFinished(10000));
        QVERIFY2(launch.exitCode() == 0, launch.readAllStandardError());
        QTRY_COMPARE(QString::fromUtf8(readAll(ran)), program);
    }

    void menuItem() {
        TestRig rig;
        auto form = rig.window();
        QAction *item = child<QAction>(*form, "menuAutostart");
        QVERIFY(item && item->isCheckable());
        const QList<QAction *> actions = form->generalMenu()->actions();
        QCOMPARE(actions.indexOf(item),
                 actions.indexOf(child<QMenu>(*form, "menuLanguage")->menuAction()) + 1);

        // The mark follows the file, also one added or removed outside the program.
        QFile::remove(entryPath());
        QVERIFY(!autostartItem(*form)->isChecked());
        item->trigger();
        QCOMPARE(readAll(entryPath()), autostartEntry(QCoreApplication::applicationFilePath()));
        item->trigger(); // unchecked: the entry goes
        QVERIFY(!item->isChecked() && !QFileInfo::exists(entryPath()));
        QString error;
        QVERIFY(setAutostart(true, entryPath(), QStringLiteral("/elsewhere/vekora"), error));
        QVERIFY(autostartItem(*form)->isChecked());
        QFile::remove(entryPath());
        QVERIFY(!autostartItem(*form)->isChecked());

        // In Danish, and a folder that cannot be made (a file in its place, which stops root
        // too): a Danish message, and no mark.
        form->menuLang_Click(1);
        QCOMPARE(item->text(), "Start med skrivebordet");
        QVERIFY(QDir(config.path()).removeRecursively() && QDir().mkpath(config.path()));
        QFile blocker(config.filePath(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QString shown;
        onNextModal([&shown](QWidget *box) {
            shown = static_cast<QMessageBox *>(box)->text();
            box->close();
        });
        item->trigger();
        QVERIFY(shown.startsWith("Vekuret kunne ikke sættes til at starte med skrivebordet."));
        QVERIFY(shown.contains(entryPath()));
        QVERIFY(!item->isChecked());
        QVERIFY(!autostartItem(*form)->isChecked());
        blocker.remove();
    }
};

QTEST_MAIN(TestAutostart)
#include "tst_autostart.moc"

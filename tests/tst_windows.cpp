#include "ui/aboutwindow.h"
#include "ui/welcomewindow.h"

#include <QtTest>
#include <QtWidgets>

namespace {
bool whole(QLabel *label) { // the text is not cut off
    const int width = label->width();
    const QSize need =
        label->wordWrap() ? QSize(width, label->heightForWidth(width)) : label->sizeHint();
    return need.width() <= width && need.height() <= label->height() &&
           label->parentWidget()->rect().contains(label->geometry());
}

// Wired as the main window does it: a choice writes the window's texts before the emit returns.
struct Welcome {
    WelcomeWindow window;
    QComboBox *box = window.findChild<QComboBox *>("Combo1");
    QPushButton *helpVideo = window.findChild<QPushButton *>("Command1");
    QList<int> chosen;

    explicit Welcome(const QString &videos) {
        window.setVideoAvail(videos);
        QObject::connect(&window, &WelcomeWindow::languageChosen, &window, [this](int index) {
            chosen.append(index);
            const WelcomeTexts &t = strings(Language(index)).welcome;
            window.applyTexts(t,
                              window.videoAvail()[index].isUpper() ? t.helpVideo : t.noHelpVideo);
        });
        window.show();
    }
    void pick(int index) { // as the user does it: open the list, click an entry
        box->showPopup();
        QAbstractItemView *view = box->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(index, 0)).center());
    }
};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    // The list opens again after a first choice and the second choice stays; the window then
    // grows and offers the video where the chosen language has one ("Ed": English only).
    void choosingALanguage() {
        for (const int language : {0, 1}) {
            Welcome welcome("Ed");
            welcome.window.resize(400, 300);
            QCOMPARE(welcome.window.size(), QSize(145, 59)); // the buttons are out of sight
            welcome.pick(1 - language);
            welcome.pick(language);
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_X}) // the list is locked
                QTest::keyClick(welcome.box, key);
            welcome.window.resize(145, 59);
            QCOMPARE(welcome.chosen, QList<int>({1 - language, language}));
            QCOMPARE(welcome.window.size(), QSize(145, 124));
            QCOMPARE(welcome.helpVideo->isEnabled(), language == 0);
            QCOMPARE(welcome.window.focusWidget() == welcome.helpVideo, language == 0);
            for (auto *label : welcome.window.findChildren<QLabel *>(QRegularExpression("Label.")))
                QVERIFY2(whole(label), qPrintable(label->objectName()));
        }
    }

    void onlyContinueEndsTheWelcome() {
        Welcome welcome("ED");
        QSignalSpy help(&welcome.window, &WelcomeWindow::helpVideoRequested);
        QTimer::singleShot(0, &welcome.window, [&] {
            // Before a choice the program would go on without a language.
            QTest::keyClick(&welcome.window, Qt::Key_Escape);
            welcome.window.close();
            QTest::keyClick(welcome.box, Qt::Key_Return); // presses no hidden button
            QVERIFY(welcome.window.isVisible() && help.isEmpty());
            welcome.pick(0);
            QTest::keyClick(welcome.helpVideo, Qt::Key_Return);
            QCOMPARE(help.size(), 1);
            welcome.window.findChild<QPushButton *>("Command2")->click();
        });
        QCOMPARE(welcome.window.exec(), int(QDialog::Accepted));
    }

    // Across a line end; then with nothing selected the clipboard keeps it, and typing is ignored.
    void aboutBoxesCopyTheirSelection() {
        AboutWindow about;
        about.applyTexts(strings(Language::Danish).about, "Version 1.0.1");
        auto *box = about.findChild<QPlainTextEdit *>("txtAdress");
        const QString text = box->toPlainText();
        QTextCursor cursor(box->document());
        cursor.setPosition(7);
        cursor.setPosition(16, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        box->moveCursor(QTextCursor::Start);
        QTest::keyClicks(box, "typed");
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QStringList({QGuiApplication::clipboard()->text(), box->toPlainText()}),
                 QStringList({text.mid(7, 9), text}));
    }

    void f1AsksForHelp() {
        AboutWindow about;
        QSignalSpy help(&about, &AboutWindow::helpRequested);
        for (const char *name : {"txtNorvakinfo", "txtHaldorin", "txtAdress", "cmdClose"}) {
            QTest::keyClick(about.findChild<QWidget *>(name), Qt::Key_F1);
            QTest::keyClick(about.findChild<QWidget *>(name), Qt::Key_H);
        }
        QCOMPARE(help.size(), 4); // every F1, no other key
    }

    // Each way out hides the window before handing back, so a hidden main window is shown again.
    void closingHandsBackToTheMainWindow() {
        AboutWindow about;
        QStringList seen;
        connect(&about, &AboutWindow::closeClicked, this,
                [&] { seen << (about.isHidden() ? "hidden" : "shown"); });
        const std::function<void()> ways[] = {
            [&] { about.findChild<QPushButton *>("cmdClose")->click(); },
            [&] { QTest::keyClick(&about, Qt::Key_Escape); }, [&] { about.close(); }};
        for (const auto &way : ways) {
            QTimer::singleShot(0, &about, way);
            about.exec(); // modal as at start-up
        }
        QCOMPARE(seen, QStringList({"hidden", "hidden", "hidden"}));
    }

    void aboutTextsStayWhole() {
        for (Language language : {Language::English, Language::Danish}) {
            AboutWindow about;
            about.applyTexts(strings(language).about, platformLine("1.0.1"));
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            for (QLabel *label : about.findChildren<QLabel *>(QRegularExpression("^lbl")))
                QVERIFY2(whole(label), qPrintable(label->objectName()));
            for (auto *box : about.findChildren<QPlainTextEdit *>()) // the long info may scroll
                QVERIFY2(!box->horizontalScrollBar()->maximum() &&
                             (box->objectName() == "txtNorvakinfo" ||
                              !box->verticalScrollBar()->maximum()),
                         qPrintable(box->objectName()));
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"

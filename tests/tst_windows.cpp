#include "windows/ctrlc.h"
#include "windows/frminit.h"
#include "windows/frmsplash.h"
#include "windows/welcomemarker.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
const WelcomeTexts welcomeTexts[2] = {
    {"Vekora", "Welcome to Vekora.\r\nThe next window is only rarely shown.", "Help video",
     "No help video", "Opens Help at instruction video access.",
     "The language can be changed at any time."},
    {"Vekuret", "Velkommen til Vekuret.\r\nNæste vindue vises kun sjældent.", "Hjælp video",
     "Ingen Hjælp video", "Åbner Hjælp ved start af instruktionsvideo.",
     "Sproget kan ændres når som helst."}};

const AboutTexts aboutTexts = {
    "Norvak Vekuret",
    "Luk",
    "Med venlig hilsen",
    "Haldor Norvak\r\ncivilingeniør, ph.d., softwareudvikler",
    "Norvak Software ApS\r\nStrandvejen 12, DK-2900 Hellerup, Danmark - www.norvak.dk\r\n"
    "Telefon 39 62 00 00, fax 39 62 00 01, e-mail info@norvak.dk",
    "Norvak laver små, pålidelige programmer til skrivebordet\r\nog skræddersyet software.",
    "Vekuret må kopieres og gives videre frit, men ikke sælges.\r\n© Norvak Software.",
    "Kopiering: Marker tekst + Ctrl-C."};

bool whole(QLabel *label) { // the text is not cut off
    const QSize need = label->wordWrap()
                           ? QSize(label->width(), label->heightForWidth(label->width()))
                           : label->sizeHint();
    return need.width() <= label->width() && need.height() <= label->height() &&
           label->parentWidget()->rect().contains(label->geometry());
}

// Wired as the main window does it: a choice writes the window's texts before the emit returns.
struct Welcome {
    FrmInit window;
    QComboBox *box = window.findChild<QComboBox *>("Combo1");
    QPushButton *helpVideo = window.findChild<QPushButton *>("Command1");
    QTimer *timer = window.findChild<QTimer *>("Timer1");
    QList<int> chosen;

    explicit Welcome(const QString &videos) {
        window.setVideoAvail(videos);
        QObject::connect(&window, &FrmInit::languageChosen, &window, [this](int index) {
            chosen.append(index);
            const WelcomeTexts &t = welcomeTexts[index];
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
    // What `read` gives after each of the next `count` timer steps.
    template <typename Read> QStringList afterSteps(int count, Read read) {
        QStringList seen;
        const auto c = QObject::connect(timer, &QTimer::timeout, [&] { seen << read(); });
        const bool enough = QTest::qWaitFor([&] { return seen.size() >= count; }, 5000);
        QObject::disconnect(c);
        return enough ? seen.mid(0, count) : QStringList();
    }
    // The marker runs through consecutive positions of the lead-in, round and round.
    void verifyMarker(const QString &tag) {
        const QStringList seen = afterSteps(7, [this] { return helpVideo->text(); });
        QCOMPARE(seen.size(), 7);
        int p = 0;
        while (p < 6 && seen[0] != helpButtonMarker(p, tag))
            ++p;
        for (int i = 0; i < 7; ++i)
            QCOMPARE(seen[i], helpButtonMarker((p + i) % 6, tag));
    }
};
} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void markerDriftsThroughTheLanguageBox() {
        Welcome welcome("ED");
        const QStringList texts =
            welcome.afterSteps(21, [&] { return welcome.box->currentText(); });
        QCOMPARE(texts.size(), 21);
        for (int step = 1; step <= 21; ++step) // 20 to 39 spaces, then 20 again
            QCOMPARE(texts[step - 1], QString(20 + (step - 1) % 20, ' ') + "=>");
        QLineEdit *field = welcome.box->lineEdit(); // the furthest arrow is still in sight
        field->setText(languageBoxMarker(19));
        QVERIFY(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < field->width());
    }

    void choosingALanguage_data() {
        QTest::addColumn<QString>("videos");
        QTest::addColumn<int>("language");
        for (const char *videos : {"ED", "Ed", "eD", "ed"})
            for (int language : {0, 1})
                QTest::addRow("%s %d", videos, language) << videos << language;
    }
    void choosingALanguage() {
        QFETCH(QString, videos);
        QFETCH(int, language);
        Welcome welcome(videos);
        welcome.window.resize(400, 300);
        QCOMPARE(welcome.window.size(), QSize(145, 59));
        QVERIFY(welcome.helpVideo->y() >= 59); // the buttons are out of sight

        welcome.pick(language);
        QCOMPARE(welcome.chosen, QList<int>{language});
        welcome.window.resize(145, 59);
        QCOMPARE(welcome.window.size(), QSize(145, 124));
        QCOMPARE(welcome.timer->interval(), 100);
        const WelcomeTexts &texts = welcomeTexts[language];
        if (videos[language].isUpper()) {
            QCOMPARE(welcome.window.focusWidget(), welcome.helpVideo);
            welcome.verifyMarker(texts.helpVideo);
        } else {
            QVERIFY(!welcome.helpVideo->isEnabled());
            QCOMPARE(welcome.afterSteps(2, [&] { return welcome.helpVideo->text(); }),
                     QStringList(2, texts.noHelpVideo));
        }
        for (auto *label : welcome.window.findChildren<QLabel *>(QRegularExpression("Label.")))
            QVERIFY2(whole(label), qPrintable(label->objectName()));

        // Locked: the keyboard changes neither the selection nor the text.
        const QString shown = welcome.box->currentText();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_X, Qt::Key_Return})
            QTest::keyClick(welcome.box, key);
        QCOMPARE(welcome.box->currentText(), shown);
        QCOMPARE(welcome.chosen, QList<int>{language});
    }

    void choosingAgainAfterOpeningTheList() {
        Welcome welcome("Ed");
        welcome.pick(1);
        QCOMPARE(welcome.helpVideo->text(), "Ingen Hjælp video");
        welcome.pick(0);
        QCOMPARE(welcome.chosen, (QList<int>{1, 0}));
        QCOMPARE(welcome.window.focusWidget(), welcome.helpVideo);
        welcome.verifyMarker("Help video");
    }

    void onlyContinueEndsTheWelcome() {
        Welcome welcome("ED");
        QSignalSpy help(&welcome.window, &FrmInit::helpVideoRequested);
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

    void ctrlCInALineField() {
        QLineEdit line("hello world");
        line.setSelection(3, 5);
        QGuiApplication::clipboard()->setText("old");
        QCOMPARE(CtrlC(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, &line), CtrlCAction::None);
        QCOMPARE(CtrlC(Qt::Key_F1, Qt::ControlModifier, &line), CtrlCAction::Help);
        QCOMPARE(QGuiApplication::clipboard()->text(), "old");
        QCOMPARE(CtrlC(Qt::Key_C, Qt::ControlModifier, &line), CtrlCAction::Copied);
        QCOMPARE(QGuiApplication::clipboard()->text(), "lo wo");
    }

    void aboutBoxesCopyTheirSelection_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("info") << "txtNorvakinfo" << 0 << 6 << "Norvak";
        QTest::newRow("name") << "txtHaldorin" << 7 << 13 << "Norvak";
        QTest::newRow("address lines") << "txtAdress" << 16 << 31 << "ApS\nStrandvejen";
        QTest::newRow("no selection") << "txtAdress" << 4 << 4 << "";
    }
    void aboutBoxesCopyTheirSelection() {
        QFETCH(QString, box);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, clipboard);
        FrmSplash about;
        about.applyTexts(aboutTexts, "Version 1.0.1");
        auto *target = about.findChild<QPlainTextEdit *>(box);
        const QString text = target->toPlainText();
        QTextCursor cursor(target->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        target->setTextCursor(cursor);
        QGuiApplication::clipboard()->setText("old");
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "old");
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QTest::keyClicks(target, "typed");
        QCOMPARE(target->toPlainText(), text); // read-only
    }

    void f1AsksForHelp() {
        FrmSplash about;
        QSignalSpy help(&about, &FrmSplash::helpRequested);
        for (const char *name : {"txtNorvakinfo", "txtHaldorin", "txtAdress", "cmdClose"})
            for (auto modifiers : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier}) {
                const qsizetype before = help.size();
                QTest::keyClick(about.findChild<QWidget *>(name), Qt::Key_F1, modifiers);
                QTest::keyClick(about.findChild<QWidget *>(name), Qt::Key_H);
                QVERIFY2(help.size() == before + 1, name);
            }
    }

    void closingHandsBackToTheMainWindow() {
        FrmSplash about;
        QSignalSpy closed(&about, &FrmSplash::closeClicked);
        bool hiddenFirst = false;
        connect(&about, &FrmSplash::closeClicked, this, [&] { hiddenFirst = about.isHidden(); });
        // Escape and a close request would otherwise leave a hidden main window hidden.
        const std::function<void()> ways[] = {
            [&] { about.findChild<QPushButton *>("cmdClose")->click(); },
            [&] { QTest::keyClick(&about, Qt::Key_Escape); }, [&] { about.close(); }};
        for (const auto &way : ways) {
            const qsizetype before = closed.size();
            QTimer::singleShot(0, &about, way);
            about.exec(); // modal as at start-up, and shown again afterwards
            QCOMPARE(closed.size(), before + 1);
            QVERIFY(hiddenFirst);
        }
    }

    void aboutTextsStayWhole() {
        FrmSplash about;
        about.applyTexts(aboutTexts, "Version 1.0.1 for Windows 95+/NT3+");
        QCOMPARE(about.size(), QSize(405, 262));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        for (QLabel *label : about.findChildren<QLabel *>(QRegularExpression("^lbl")))
            QVERIFY2(whole(label), qPrintable(label->objectName()));
        for (auto *box : about.findChildren<QPlainTextEdit *>()) {
            QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
            QVERIFY(box->objectName() == "txtNorvakinfo" || !box->verticalScrollBar()->maximum());
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"

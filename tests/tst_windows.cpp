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
#include <QTextEdit>
#include <QTimer>

namespace {

WelcomeTexts welcomeTexts(int language) {
    if (language == 1)
        return {"Vekuret",
                "Velkommen til Vekuret.\r\nNæste vindue vises kun sjældent.",
                "Hjælp video",
                "Ingen Hjælp video",
                "Åbner Hjælp ved start af instruktionsvideo.",
                "Sproget kan ændres når som helst."};
    return {"Vekora",
            "Welcome to Vekora.\r\nThe next window is only rarely shown.",
            "Help video",
            "No help video",
            "Opens Help at instruction video access.",
            "The language can be changed at any time."};
}

AboutTexts aboutTexts(int language) {
    if (language == 1)
        return {"Norvak Vekuret",
                "Luk",
                "Med venlig hilsen",
                "Haldor Norvak\r\ncivilingeniør, ph.d., softwareudvikler",
                "Norvak Software ApS\r\nStrandvejen 12, DK-2900 Hellerup, Danmark - "
                "www.norvak.dk\r\nTelefon 39 62 00 00, fax 39 62 00 01, e-mail info@norvak.dk",
                "Norvak laver små, pålidelige programmer til skrivebordet\r\nog skræddersyet "
                "software til erhverv og forskning.",
                "Vekuret må kopieres og gives videre frit, men ikke sælges.\r\n© Norvak Software. "
                "Alle rettigheder forbeholdes.",
                "Kopiering: Marker tekst + Ctrl-C."};
    return {"Norvak Vekora",
            "Close",
            "With compliments",
            "Haldor Norvak\r\nM.Sc. (Eng.), Ph.D., software developer",
            "Norvak Software ApS\r\nStrandvejen 12, DK-2900 Hellerup, Denmark - "
            "www.norvak.dk\r\nPhone +45 39 62 00 00, fax +45 39 62 00 01, e-mail info@norvak.dk",
            "Norvak makes small, dependable programs for the desktop\r\nand custom software for "
            "business and research.",
            "Vekora may be copied and given away freely, but not sold.\r\n© Norvak Software. All "
            "rights reserved.",
            "Copying: Select text + Ctrl-C."};
}

const QString platform = QStringLiteral("Version 1.0.1 for Windows 95+/NT3+");

// The welcome window wired up the way the main window does it: a choice switches the language,
// which writes the window's texts before the signal returns.
struct Welcome {
    FrmInit window;
    QComboBox *box = window.findChild<QComboBox *>(QStringLiteral("Combo1"));
    QPushButton *helpVideo = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    QPushButton *next = window.findChild<QPushButton *>(QStringLiteral("Command2"));
    QTimer *timer = window.findChild<QTimer *>(QStringLiteral("Timer1"));
    QList<int> chosen;

    explicit Welcome(const QString &videos) {
        window.setVideoAvail(videos);
        QObject::connect(&window, &FrmInit::languageChosen, &window, [this](int index) {
            chosen.append(index);
            const WelcomeTexts texts = welcomeTexts(index);
            window.applyTexts(texts, window.videoAvail().at(index).isUpper() ? texts.helpVideo
                                                                             : texts.noHelpVideo);
        });
    }

    // As the user does it: open the list, click an entry.
    void pick(int index) {
        box->showPopup();
        QAbstractItemView *view = box->view();
        QTRY_VERIFY(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!view->isVisible());
    }

    // What `read` returns after each of the next `count` timer steps.
    template <typename Read> QStringList afterSteps(int count, Read read) {
        QStringList seen;
        const auto connection = QObject::connect(timer, &QTimer::timeout, [&] { seen << read(); });
        const bool enough = QTest::qWaitFor([&] { return seen.size() >= count; }, 5000);
        Q_UNUSED(enough); // callers compare what was seen
        QObject::disconnect(connection);
        return seen.mid(0, count);
    }
    QStringList captions(int count) {
        return afterSteps(count, [this] { return helpVideo->text(); });
    }
};

// The marker runs through consecutive positions of the button's lead-in, round and round.
void verifyButtonMarker(const QStringList &captions, const QString &tag) {
    QVERIFY(captions.size() >= 6);
    int position = -1;
    for (int p = 0; p < 6; ++p)
        if (captions.first() == helpButtonMarker(p, tag))
            position = p;
    QVERIFY2(position >= 0, qPrintable(captions.first()));
    for (const QString &caption : captions) {
        QCOMPARE(caption, helpButtonMarker(position, tag));
        position = (position + 1) % 6;
    }
}

QPlainTextEdit *textBox(FrmSplash &about, const char *name) {
    return about.findChild<QPlainTextEdit *>(QLatin1String(name));
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void markerDriftsThroughTheLanguageBox();
    void choosingALanguage_data();
    void choosingALanguage();
    void sizeIsHeld();
    void choosingAgainAfterOpeningTheList();
    void onlyContinueEndsTheWelcome();
    void welcomeTextsStayWhole_data();
    void welcomeTextsStayWhole();

    void ctrlC_data();
    void ctrlC();
    void aboutBoxesCopyTheirSelection_data();
    void aboutBoxesCopyTheirSelection();
    void f1AsksForHelp_data();
    void f1AsksForHelp();
    void closingHandsBackToTheMainWindow_data();
    void closingHandsBackToTheMainWindow();
    void aboutFocusAndTabStops();
    void aboutTextsStayWhole_data();
    void aboutTextsStayWhole();
};

void TestWindows::markerDriftsThroughTheLanguageBox() {
    Welcome welcome(QStringLiteral("ED"));
    QCOMPARE(welcome.box->currentIndex(), -1);
    QCOMPARE(welcome.timer->interval(), 50);
    const QStringList texts = welcome.afterSteps(21, [&] { return welcome.box->currentText(); });
    QCOMPARE(texts.size(), 21);
    for (int step = 1; step <= 20; ++step)
        QCOMPARE(texts.at(step - 1), QString(19 + step, QLatin1Char(' ')) + QStringLiteral("=>"));
    QCOMPARE(texts.at(20), QString(20, QLatin1Char(' ')) + QStringLiteral("=>"));

    // Typing before a choice does not stick, and chooses nothing.
    welcome.box->lineEdit()->setText(QStringLiteral("English"));
    const QStringList next = welcome.afterSteps(1, [&] { return welcome.box->currentText(); });
    QCOMPARE(next.size(), 1);
    QVERIFY(next.first().endsWith(QStringLiteral("=>")));
    QVERIFY(welcome.chosen.isEmpty());
}

void TestWindows::choosingALanguage_data() {
    QTest::addColumn<QString>("videos");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("offered");
    const QList<std::tuple<const char *, int, bool>> rows = {
        {"ED", 0, true},  {"ED", 1, true}, {"Ed", 0, true},  {"Ed", 1, false},
        {"eD", 0, false}, {"eD", 1, true}, {"ed", 0, false}, {"ed", 1, false}};
    for (const auto &[videos, language, offered] : rows)
        QTest::addRow("%s %s", videos, language ? "Danish" : "English")
            << QString::fromLatin1(videos) << language << offered;
}

void TestWindows::choosingALanguage() {
    QFETCH(QString, videos);
    QFETCH(int, language);
    QFETCH(bool, offered);
    Welcome welcome(videos);
    welcome.window.show();
    welcome.pick(language);

    QCOMPARE(welcome.chosen, QList<int>{language});
    const WelcomeTexts texts = welcomeTexts(language);
    QCOMPARE(welcome.window.findChild<QLabel *>(QStringLiteral("Label1"))->text(), texts.title);
    QCOMPARE(welcome.window.findChild<QLabel *>(QStringLiteral("Label2"))->text(),
             QString(texts.greeting).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(welcome.box->toolTip(), texts.languageTip);
    QCOMPARE(welcome.helpVideo->toolTip(), texts.helpVideoTip);
    QCOMPARE(welcome.timer->interval(), 100);
    QCOMPARE(welcome.helpVideo->isEnabled(), offered);
    if (offered) {
        QCOMPARE(welcome.window.focusWidget(), welcome.helpVideo);
        verifyButtonMarker(welcome.captions(8), texts.helpVideo);
    } else {
        QCOMPARE(welcome.helpVideo->text(), texts.noHelpVideo);
        QCOMPARE(welcome.captions(3), QStringList(3, texts.noHelpVideo));
    }

    // Locked: the keyboard changes neither the selection nor the text.
    welcome.box->setFocus();
    const QString shown = welcome.box->currentText();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_X, Qt::Key_Return})
        QTest::keyClick(welcome.box, key);
    QCOMPARE(welcome.box->currentIndex(), language);
    QCOMPARE(welcome.box->currentText(), shown);
    QCOMPARE(welcome.chosen, QList<int>{language});
}

void TestWindows::sizeIsHeld() {
    Welcome welcome(QStringLiteral("ED"));
    welcome.window.show();
    QCOMPARE(welcome.window.size(), QSize(145, 59));
    welcome.window.resize(400, 300);
    QCOMPARE(welcome.window.size(), QSize(145, 59));
    QVERIFY(welcome.helpVideo->geometry().top() >= 59); // only the language box is in view
    QVERIFY(welcome.next->geometry().top() >= 59);

    welcome.pick(0);
    QCOMPARE(welcome.window.size(), QSize(145, 124));
    welcome.window.resize(145, 59);
    QCOMPARE(welcome.window.size(), QSize(145, 124));
    QVERIFY(welcome.helpVideo->geometry().bottom() < 124);
    QVERIFY(welcome.next->geometry().bottom() < 124);
}

void TestWindows::choosingAgainAfterOpeningTheList() {
    Welcome welcome(QStringLiteral("Ed"));
    welcome.window.show();
    welcome.pick(1);
    QVERIFY(!welcome.helpVideo->isEnabled());
    QCOMPARE(welcome.helpVideo->text(), QStringLiteral("Ingen Hjælp video"));

    welcome.pick(0);
    QCOMPARE(welcome.chosen, (QList<int>{1, 0}));
    QVERIFY(welcome.helpVideo->isEnabled());
    QCOMPARE(welcome.window.focusWidget(), welcome.helpVideo);
    verifyButtonMarker(welcome.captions(7), QStringLiteral("Help video"));
    welcome.box->setFocus();
    QTest::keyClick(welcome.box, Qt::Key_Down);
    QCOMPARE(welcome.box->currentIndex(), 0);
    QCOMPARE(welcome.chosen.size(), 2);
}

void TestWindows::onlyContinueEndsTheWelcome() {
    Welcome welcome(QStringLiteral("ED"));
    QSignalSpy help(&welcome.window, &FrmInit::helpVideoRequested);
    QTimer::singleShot(0, &welcome.window, [&] {
        // Before a choice neither Escape, a close request nor Enter ends the window or asks
        // for help: the program would go on without a language.
        QTest::keyClick(&welcome.window, Qt::Key_Escape);
        welcome.window.close();
        QTest::keyClick(welcome.box, Qt::Key_Return);
        QVERIFY(welcome.window.isVisible());
        QCOMPARE(help.size(), 0);

        welcome.pick(0);
        QTest::keyClick(welcome.helpVideo, Qt::Key_Return);
        welcome.helpVideo->click();
        QCOMPARE(help.size(), 2);
        QVERIFY(welcome.window.isVisible());
        welcome.next->click();
    });
    QCOMPARE(welcome.window.exec(), int(QDialog::Accepted));
    QCOMPARE(welcome.chosen, QList<int>{0});
}

void TestWindows::welcomeTextsStayWhole_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("Danish") << 1;
}

void TestWindows::welcomeTextsStayWhole() {
    QFETCH(int, language);
    Welcome welcome(QStringLiteral("ED"));
    welcome.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome.window));

    // The arrow at its furthest is still inside the language box's text field.
    QLineEdit *field = welcome.box->lineEdit();
    field->setText(languageBoxMarker(19));
    QVERIFY(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < field->width());

    welcome.pick(language);
    for (const char *name : {"Label1", "Label2"}) {
        auto *label = welcome.window.findChild<QLabel *>(QLatin1String(name));
        const int needed =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        QVERIFY2(needed <= label->height(), name);
        if (!label->wordWrap())
            QVERIFY2(label->sizeHint().width() <= label->width(), name);
        QVERIFY2(welcome.window.rect().contains(label->geometry()), name);
    }
}

void TestWindows::ctrlC_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("clipboard");
    const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
    const int none = int(CtrlCAction::None), help = int(CtrlCAction::Help),
              copied = int(CtrlCAction::Copied);
    QTest::newRow("line ctrl+c") << "line" << int(Qt::Key_C) << ctrl << copied << "lo wo";
    QTest::newRow("plain ctrl+c") << "plain" << int(Qt::Key_C) << ctrl << copied << "lo\nwo";
    QTest::newRow("rich ctrl+c") << "rich" << int(Qt::Key_C) << ctrl << copied << "lo\nwo";
    QTest::newRow("empty selection") << "empty" << int(Qt::Key_C) << ctrl << copied << "";
    QTest::newRow("ctrl+shift+c") << "line" << int(Qt::Key_C) << (ctrl | Qt::ShiftModifier) << none
                                  << "old";
    QTest::newRow("ctrl+alt+c") << "line" << int(Qt::Key_C) << (ctrl | Qt::AltModifier) << none
                                << "old";
    QTest::newRow("c alone") << "line" << int(Qt::Key_C) << Qt::KeyboardModifiers() << none
                             << "old";
    QTest::newRow("ctrl+x") << "line" << int(Qt::Key_X) << ctrl << none << "old";
    QTest::newRow("f1") << "line" << int(Qt::Key_F1) << Qt::KeyboardModifiers() << help << "old";
    QTest::newRow("ctrl+f1") << "line" << int(Qt::Key_F1) << ctrl << help << "old";
}

void TestWindows::ctrlC() {
    QFETCH(QString, kind);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, action);
    QFETCH(QString, clipboard);
    QLineEdit line(QStringLiteral("hello world"));
    line.setSelection(3, 5);
    QPlainTextEdit plain(QStringLiteral("hello\nworld"));
    QTextEdit rich;
    rich.setPlainText(QStringLiteral("hello\nworld"));
    for (QTextCursor cursor : {plain.textCursor(), rich.textCursor()}) {
        cursor.setPosition(3);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        if (cursor.document() == plain.document())
            plain.setTextCursor(cursor);
        else
            rich.setTextCursor(cursor);
    }
    QLineEdit empty(QStringLiteral("nothing selected"));
    QWidget *emne = kind == "line"    ? static_cast<QWidget *>(&line)
                    : kind == "plain" ? static_cast<QWidget *>(&plain)
                    : kind == "rich"  ? static_cast<QWidget *>(&rich)
                                      : static_cast<QWidget *>(&empty);

    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    QCOMPARE(int(CtrlC(key, modifiers, emne)), action);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void TestWindows::aboutBoxesCopyTheirSelection_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("clipboard");
    const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("info") << "txtNorvakinfo" << 0 << 6 << ctrl << "Norvak";
    QTest::newRow("name") << "txtHaldorin" << 7 << 13 << ctrl << "Norvak";
    QTest::newRow("address over a line end")
        << "txtAdress" << 16 << 31 << ctrl << "ApS\nStrandvejen";
    QTest::newRow("nothing selected") << "txtAdress" << 4 << 4 << ctrl << "";
    QTest::newRow("ctrl+shift") << "txtHaldorin" << 0 << 6 << (ctrl | Qt::ShiftModifier) << "old";
    QTest::newRow("ctrl+alt") << "txtNorvakinfo" << 0 << 6 << (ctrl | Qt::AltModifier) << "old";
}

void TestWindows::aboutBoxesCopyTheirSelection() {
    QFETCH(QString, box);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, clipboard);
    FrmSplash about;
    about.applyTexts(aboutTexts(0), platform);
    auto *target = textBox(about, box.toLatin1());
    const QString text = target->toPlainText();
    QTextCursor cursor = target->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    target->setTextCursor(cursor);

    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    QTest::keyClick(target, Qt::Key_C, modifiers);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QTest::keyClicks(target, QStringLiteral("typed"));
    QCOMPARE(target->toPlainText(), text); // read-only
}

void TestWindows::f1AsksForHelp_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    for (const char *target : {"txtNorvakinfo", "txtHaldorin", "txtAdress", "cmdClose"}) {
        QTest::addRow("%s", target) << target << Qt::KeyboardModifiers();
        QTest::addRow("%s ctrl", target) << target << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::addRow("%s shift", target) << target << Qt::KeyboardModifiers(Qt::ShiftModifier);
    }
}

void TestWindows::f1AsksForHelp() {
    QFETCH(QString, target);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    FrmSplash about;
    about.applyTexts(aboutTexts(1), platform);
    QSignalSpy help(&about, &FrmSplash::helpRequested);
    QSignalSpy closed(&about, &FrmSplash::closeClicked);
    auto *widget = about.findChild<QWidget *>(target);
    QTest::keyClick(widget, Qt::Key_F1, modifiers);
    QCOMPARE(help.size(), 1);
    QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_H);
    QCOMPARE(help.size(), 1);
    QCOMPARE(closed.size(), 0);
}

void TestWindows::closingHandsBackToTheMainWindow_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Close button") << "button";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close request") << "close";
}

void TestWindows::closingHandsBackToTheMainWindow() {
    QFETCH(QString, how);
    FrmSplash about;
    about.applyTexts(aboutTexts(0), platform);
    QSignalSpy closed(&about, &FrmSplash::closeClicked);
    bool hiddenFirst = false;
    connect(&about, &FrmSplash::closeClicked, this, [&] { hiddenFirst = !about.isVisible(); });
    auto *button = about.findChild<QPushButton *>(QStringLiteral("cmdClose"));

    // Modal, as at start-up; the same window may be shown again afterwards, as from the menu.
    for (int showing = 1; showing <= 2; ++showing) {
        QTimer::singleShot(0, &about, [&] {
            if (how == "button")
                button->click();
            else if (how == "escape")
                QTest::keyClick(&about, Qt::Key_Escape);
            else
                about.close();
        });
        about.exec();
        QVERIFY(!about.isVisible());
        QCOMPARE(closed.size(), showing);
        QVERIFY(hiddenFirst);
    }
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblProductName"))->text(),
             QStringLiteral("Norvak Vekora"));
}

void TestWindows::aboutFocusAndTabStops() {
    FrmSplash about;
    about.applyTexts(aboutTexts(0), platform);
    QCOMPARE(about.size(), QSize(405, 262));
    about.show();
    QApplication::setActiveWindow(&about);
    QVERIFY(QTest::qWaitForWindowActive(&about));
    auto *info = textBox(about, "txtNorvakinfo");
    auto *button = about.findChild<QPushButton *>(QStringLiteral("cmdClose"));
    QCOMPARE(QApplication::focusWidget(), info);
    QTest::keyClick(info, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), info);
}

void TestWindows::aboutTextsStayWhole_data() {
    welcomeTextsStayWhole_data();
}

void TestWindows::aboutTextsStayWhole() {
    QFETCH(int, language);
    FrmSplash about;
    about.applyTexts(aboutTexts(language), platform);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (QLabel *label : about.findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QString name = label->objectName();
        const QSize hint = label->sizeHint();
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        else
            QVERIFY2(hint.width() <= label->width() && hint.height() <= label->height(),
                     qPrintable(name));
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), qPrintable(name));
    }
    for (const char *name : {"txtNorvakinfo", "txtHaldorin", "txtAdress"}) {
        QPlainTextEdit *box = textBox(about, name);
        QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
        if (QByteArray(name) != "txtNorvakinfo")
            QCOMPARE(box->verticalScrollBar()->maximum(), 0);
    }
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"

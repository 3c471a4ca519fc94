#include "ui/frminit.h"
#include "ui/frmsplash.h"
#include "ui/welcomemarker.h"

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
bool whole(QLabel *label) { // the text is not cut off
    const int width = label->width();
    const QSize need =
        label->wordWrap() ? QSize(width, label->heightForWidth(width)) : label->sizeHint();
    return need.width() <= width && need.height() <= label->height() &&
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
    // What `read` gives after each of the next `count` timer steps.
    template <typename Read> QStringList afterSteps(int count, Read read) {
        QStringList seen;
        const auto c = QObject::connect(timer, &QTimer::timeout, [&] { seen << read(); });
        const bool enough = QTest::qWaitFor([&] { return seen.size() >= count; }, 5000);
        QObject::disconnect(c);
        return enough ? seen.mid(0, count) : QStringList();
    }
};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void markerDriftsThroughTheLanguageBox() {
        Welcome welcome("ED");
        QStringList drift;
        for (int step = 0; step < 21; ++step) // 20 to 39 spaces, then 20 again
            drift << QString(20 + step % 20, ' ') + "=>";
        QCOMPARE(welcome.afterSteps(21, [&] { return welcome.box->currentText(); }), drift);
        QLineEdit *field = welcome.box->lineEdit(); // the furthest arrow is still in sight
        field->setText(languageBoxMarker(19));
        QVERIFY(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < field->width());
    }

    void choosingALanguage_data() {
        QTest::addColumn<QString>("videos");
        QTest::addColumn<int>("language");
        // The chosen language's letter counts, not the other's.
        QTest::newRow("video") << "Ed" << 0;
        QTest::newRow("no video") << "Ed" << 1;
    }
    void choosingALanguage() {
        QFETCH(QString, videos);
        QFETCH(int, language);
        Welcome welcome(videos);
        welcome.window.resize(400, 300);
        QCOMPARE(welcome.window.size(), QSize(145, 59)); // 2175 x 885 twips
        QVERIFY(welcome.helpVideo->y() >= 59);           // the buttons are out of sight

        // The list opens again after a first choice; the second choice is the one that stays.
        welcome.pick(1 - language);
        welcome.pick(language);
        const QList<int> chosen{1 - language, language};
        QCOMPARE(welcome.chosen, chosen);
        welcome.window.resize(145, 59);
        QCOMPARE(welcome.window.size(), QSize(145, 124)); // 2175 x 1860 twips
        const WelcomeTexts &texts = strings(Language(language)).welcome;
        const auto buttonText = [&] { return welcome.helpVideo->text(); };
        if (videos[language].isUpper()) {
            QCOMPARE(welcome.window.focusWidget(), welcome.helpVideo);
            // The marker runs round the six places of the lead-in, and nowhere else.
            QSet<QString> places;
            for (int p = 0; p < 6; ++p)
                places << helpButtonMarker(p, texts.helpVideo);
            const QStringList seen = welcome.afterSteps(7, buttonText);
            QCOMPARE(QSet<QString>(seen.begin(), seen.end()), places);
        } else {
            QVERIFY(!welcome.helpVideo->isEnabled());
            QCOMPARE(welcome.afterSteps(2, buttonText), QStringList(2, texts.noHelpVideo));
        }
        for (auto *label : welcome.window.findChildren<QLabel *>(QRegularExpression("Label.")))
            QVERIFY2(whole(label), qPrintable(label->objectName()));

        // Locked: the keyboard changes neither the selection nor the text.
        const QString shown = welcome.box->currentText();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_X})
            QTest::keyClick(welcome.box, key);
        QCOMPARE(welcome.box->currentText(), shown);
        QCOMPARE(welcome.chosen, chosen);
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

    void aboutBoxesCopyTheirSelection() {
        FrmSplash about;
        about.applyTexts(strings(Language::Danish).about, "Version 1.0.1");
        auto *box = about.findChild<QPlainTextEdit *>("txtAdress");
        const QString text = box->toPlainText();
        QTextCursor cursor(box->document());
        cursor.setPosition(7);
        cursor.setPosition(16, QTextCursor::KeepAnchor); // across a line end
        box->setTextCursor(cursor);
        QClipboard *clipboard = QGuiApplication::clipboard();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), text.mid(7, 9));
        box->moveCursor(QTextCursor::Start); // no selection: the clipboard keeps its text
        QTest::keyClicks(box, "typed");      // read-only
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), text.mid(7, 9));
        QCOMPARE(box->toPlainText(), text);
    }

    void f1AsksForHelp() {
        FrmSplash about;
        QSignalSpy help(&about, &FrmSplash::helpRequested);
        for (const char *name : {"txtNorvakinfo", "txtHaldorin", "txtAdress", "cmdClose"}) {
            QTest::keyClick(about.findChild<QWidget *>(name), Qt::Key_F1);
            QTest::keyClick(about.findChild<QWidget *>(name), Qt::Key_H);
        }
        QCOMPARE(help.size(), 4); // every F1, no other key
    }

    void closingHandsBackToTheMainWindow() {
        FrmSplash about;
        QSignalSpy closed(&about, &FrmSplash::closeClicked);
        bool hiddenFirst = false;
        connect(&about, &FrmSplash::closeClicked, this, [&] { hiddenFirst = about.isHidden(); });
        // Escape and a close request would otherwise leave a hidden main window hidden; the Close
        // button is covered where the main window starts.
        const std::function<void()> ways[] = {[&] { QTest::keyClick(&about, Qt::Key_Escape); },
                                              [&] { about.close(); }};
        for (const auto &way : ways) {
            const qsizetype before = closed.size();
            QTimer::singleShot(0, &about, way);
            about.exec(); // modal as at start-up, and shown again afterwards
            QCOMPARE(closed.size(), before + 1);
            QVERIFY(hiddenFirst);
        }
    }

    void aboutTextsStayWhole() {
        for (Language language : {Language::English, Language::Danish}) {
            FrmSplash about;
            about.applyTexts(strings(language).about, platformLine("1.0.1"));
            QCOMPARE(about.size(), QSize(405, 262));
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            for (QLabel *label : about.findChildren<QLabel *>(QRegularExpression("^lbl")))
                QVERIFY2(whole(label), qPrintable(label->objectName()));
            for (auto *box : about.findChildren<QPlainTextEdit *>()) {
                QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
                QVERIFY(box->objectName() == "txtNorvakinfo" ||
                        !box->verticalScrollBar()->maximum());
            }
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"

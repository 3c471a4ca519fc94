#include "platform/desktopattention.h"
#include "platform/soundplayer.h"

#include <QTest>

namespace {
// Plays only the sounds it is told exist, and remembers what it was asked for.
class FakePlayer final : public SoundPlayer {
public:
    QStringList available;
    QStringList asked;
    bool play(const char *eventId) override {
        asked << QString::fromLatin1(eventId);
        return available.contains(asked.last());
    }
};
} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void fallbackOrder_data();
    void fallbackOrder();
};

void TestSound::fallbackOrder_data() {
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("lastResort");

    const QString alarm = QStringLiteral("alarm-clock-elapsed");
    const QString bell = QStringLiteral("bell");
    QTest::newRow("alarm sound") << QStringList{alarm, bell} << QStringList{alarm} << false;
    QTest::newRow("only bell") << QStringList{bell} << QStringList{alarm, bell} << false;
    QTest::newRow("no sound") << QStringList{} << QStringList{alarm, bell} << true;
}

void TestSound::fallbackOrder() {
    QFETCH(QStringList, available);
    QFETCH(QStringList, asked);
    QFETCH(bool, lastResort);

    FakePlayer player;
    player.available = available;
    int beeps = 0;
    DesktopAttention attention(player, [&beeps] { ++beeps; });
    attention.beep();
    QCOMPARE(player.asked, asked);
    QCOMPARE(beeps, lastResort ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"

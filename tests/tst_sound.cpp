#include "platform/desktopattention.h"
#include "platform/soundplayer.h"

#include <QTest>

namespace {
// Plays only the sounds it is told exist, and remembers what it was asked for.
class FakePlayer final : public SoundPlayer {
public:
    QStringList available, asked;
    bool play(const char *eventId) override {
        asked << QString::fromLatin1(eventId);
        return available.contains(asked.last());
    }
};
} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void fallbackOrder_data() {
        QTest::addColumn<QStringList>("available");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<int>("beeps");
        const QString alarm = QStringLiteral("alarm-clock-elapsed"), bell = QStringLiteral("bell");
        QTest::newRow("alarm sound") << QStringList{alarm, bell} << QStringList{alarm} << 0;
        QTest::newRow("only bell") << QStringList{bell} << QStringList{alarm, bell} << 0;
        QTest::newRow("no sound") << QStringList{} << QStringList{alarm, bell} << 1;
    }
    void fallbackOrder() {
        QFETCH(QStringList, available);
        QFETCH(QStringList, asked);
        QFETCH(int, beeps);
        FakePlayer player;
        player.available = available;
        int lastResort = 0;
        DesktopAttention attention(player, [&lastResort] { ++lastResort; });
        attention.beep();
        QCOMPARE(player.asked, asked);
        QCOMPARE(lastResort, beeps);
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"

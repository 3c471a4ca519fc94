#include "platform/desktopattention.h"
#include "platform/soundplayer.h"

#include <QTest>

// Plays only the sounds it is told exist, and remembers what it was asked for.
class FakePlayer final : public SoundPlayer {
public:
    QStringList available, asked;
    bool play(const char *eventId) override {
        return available.contains(asked.emplace_back(QString::fromLatin1(eventId)));
    }
};

class TestSound : public QObject {
    Q_OBJECT
private slots:
    // The alarm sound, else the bell, else the last resort.
    void fallbackOrder() {
        QStringList heard;
        for (const QStringList &available : {QStringList{"alarm-clock-elapsed"}, {"bell"}, {}}) {
            FakePlayer player;
            player.available = available;
            DesktopAttention attention(player, [&player] { player.asked << "beep"; });
            attention.beep();
            heard << player.asked.join(u' ');
        }
        QCOMPARE(heard, (QStringList{"alarm-clock-elapsed", "alarm-clock-elapsed bell",
                                     "alarm-clock-elapsed bell beep"}));
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"

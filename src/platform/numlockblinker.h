#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

class Attention;

// A blink of the Num Lock light a person can see: one press now, the second a moment later from a
// timer, so the light shows its other state in between and ends as it was. The second press
// always comes, also when the ringing ends in between or the program leaves: an odd number of
// presses would leave the keyboard's Num Lock switched.
class NumLockBlinker : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds pause{200};

    explicit NumLockBlinker(Attention &attention, QObject *parent = nullptr);
    ~NumLockBlinker() override;

    // Nothing while the last blink's second press is still to come.
    void blink();

private:
    Attention &m_attention;
    QTimer m_secondPress;
};

#include "platform/numlockblinker.h"

#include "platform/attention.h"

NumLockBlinker::NumLockBlinker(Attention &attention, QObject *parent)
    : QObject(parent), m_attention(attention) {
    m_secondPress.setSingleShot(true);
    m_secondPress.setInterval(pause);
    connect(&m_secondPress, &QTimer::timeout, this, [this] { m_attention.pressNumLock(); });
}

NumLockBlinker::~NumLockBlinker() {
    if (m_secondPress.isActive())
        m_attention.pressNumLock();
}

void NumLockBlinker::blink() {
    if (m_secondPress.isActive())
        return;
    m_attention.pressNumLock();
    m_secondPress.start();
}

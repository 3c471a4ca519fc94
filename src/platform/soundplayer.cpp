#include "platform/soundplayer.h"

#include <canberra.h>

CanberraPlayer::~CanberraPlayer() {
    if (m_context)
        ca_context_destroy(m_context);
}

bool CanberraPlayer::ensureContext() {
    if (m_tried)
        return m_context != nullptr;
    m_tried = true;
    if (ca_context_create(&m_context) != CA_SUCCESS) {
        m_context = nullptr;
        return false;
    }
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Vekora", CA_PROP_APPLICATION_ID,
                            "vekora", CA_PROP_APPLICATION_ICON_NAME, "vekora", nullptr);
    return true;
}

bool CanberraPlayer::play(const char *eventId) {
    if (!eventId || !ensureContext())
        return false;
    // The "alarm" role lets sound servers route and duck it as an alarm rather than a UI click.
    return ca_context_play(m_context, 0, CA_PROP_EVENT_ID, eventId, CA_PROP_MEDIA_ROLE, "alarm",
                           CA_PROP_EVENT_DESCRIPTION, "Alarm clock ringing", nullptr) == CA_SUCCESS;
}

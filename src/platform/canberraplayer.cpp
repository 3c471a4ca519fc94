#include "platform/canberraplayer.h"

#include <QLibrary>
#include <canberra.h>

// The functions used, looked up in the library once it is loaded.
struct CanberraPlayer::Api {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_cache) cache = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
};

CanberraPlayer::~CanberraPlayer() {
    if (m_context)
        m_api->destroy(m_context);
}

bool CanberraPlayer::ensureContext() {
    if (m_tried)
        return m_context != nullptr;
    m_tried = true;
    // Loaded once per process and never unloaded: libcanberra may keep threads of its own.
    static const Api api = [] {
        QLibrary library(QStringLiteral("canberra"), 0);
        Api loaded;
        if (!library.load())
            return loaded;
        loaded.create =
            reinterpret_cast<decltype(loaded.create)>(library.resolve("ca_context_create"));
        loaded.changeProps = reinterpret_cast<decltype(loaded.changeProps)>(
            library.resolve("ca_context_change_props"));
        loaded.open = reinterpret_cast<decltype(loaded.open)>(library.resolve("ca_context_open"));
        loaded.cache =
            reinterpret_cast<decltype(loaded.cache)>(library.resolve("ca_context_cache"));
        loaded.play = reinterpret_cast<decltype(loaded.play)>(library.resolve("ca_context_play"));
        loaded.destroy =
            reinterpret_cast<decltype(loaded.destroy)>(library.resolve("ca_context_destroy"));
        if (!loaded.changeProps || !loaded.open || !loaded.cache || !loaded.play ||
            !loaded.destroy)
            loaded.create = nullptr;
        return loaded;
    }();
    if (!api.create)
        return false;
    m_api = &api;
    if (m_api->create(&m_context) != CA_SUCCESS) {
        m_context = nullptr;
        return false;
    }
    m_api->changeProps(m_context, CA_PROP_APPLICATION_NAME, "Vekora", CA_PROP_APPLICATION_ID,
                       "vekora", CA_PROP_APPLICATION_ICON_NAME, "vekora", nullptr);
    return true;
}

void CanberraPlayer::prepare(const char *eventId) {
    if (!eventId || !ensureContext())
        return;
    // Connected to the sound server now, and the sound decoded and kept in the server's own
    // cache, the alarm's play only has to start it.
    m_api->open(m_context);
    m_api->cache(m_context, CA_PROP_EVENT_ID, eventId, CA_PROP_MEDIA_ROLE, "alarm", nullptr);
}

bool CanberraPlayer::play(const char *eventId) {
    if (!eventId || !ensureContext())
        return false;
    // The "alarm" role lets sound servers route and duck it as an alarm rather than a UI click.
    return m_api->play(m_context, 0, CA_PROP_EVENT_ID, eventId, CA_PROP_MEDIA_ROLE, "alarm",
                       CA_PROP_EVENT_DESCRIPTION, "Alarm clock ringing", nullptr) == CA_SUCCESS;
}

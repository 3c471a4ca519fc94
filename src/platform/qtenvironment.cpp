#include "platform/qtenvironment.h"

#include <QtGlobal>

void QtEnvironment::request(const char *name, const QByteArray &value) {
    if (!qEnvironmentVariableIsEmpty(name))
        return;
    m_before.push_back(
        {name, qEnvironmentVariableIsSet(name) ? std::optional(QByteArray()) : std::nullopt});
    qputenv(name, value);
}

void QtEnvironment::restore() {
    for (const Before &before : m_before) {
        if (before.value)
            qputenv(before.name, *before.value);
        else
            qunsetenv(before.name);
    }
    m_before.clear();
}

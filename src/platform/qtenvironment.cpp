#include "platform/qtenvironment.h"

#include <QtGlobal>

void QtEnvironment::request(const char *name, const QByteArray &value) {
    if (!qEnvironmentVariableIsEmpty(name))
        return;
    m_before.push_back({name, qEnvironmentVariableIsSet(name)});
    qputenv(name, value);
}

void QtEnvironment::restore() {
    for (const Before &before : m_before) {
        if (before.wasSet)
            qputenv(before.name, QByteArray());
        else
            qunsetenv(before.name);
    }
    m_before.clear();
}

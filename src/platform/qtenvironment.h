#pragma once

#include <QByteArray>
#include <vector>

// What the program asks of Qt through its environment before QApplication exists. Qt reads it
// while QApplication is made; restore() then takes it out again, so that programs started from
// Vekora (the help's browser) get the desktop's own environment. A variable the user gave a value
// is left alone.
class QtEnvironment {
public:
    void request(const char *name, const QByteArray &value);
    void restore();

private:
    struct Before {
        const char *name;
        bool wasSet; // then empty: a value of the user's is never requested over
    };
    std::vector<Before> m_before;
};

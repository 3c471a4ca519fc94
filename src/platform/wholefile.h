#pragma once

#include <QByteArray>
#include <QString>

// What the writer does with whatever stands at the path today.
enum class StandingFile {
    // A file the user may have placed or linked on purpose (the settings, the autostart entry):
    // a link to a regular file is written through and stays a link, a link to nothing gets the
    // file it names. Anything else (a FIFO, a device, a socket, a folder, or a link to one) is
    // refused, and nothing is written anywhere.
    UsersOwn,
    // A file of the program's own (the run record, the help cache): whatever stands there, a
    // link or a FIFO included, is replaced by a new regular file, never opened or followed.
    ProgramsOwn,
};

// Writes the bytes into a new file beside the target, checks every write and the sync, and only
// then renames it into place: afterwards the file holds either all the new bytes or, byte for
// byte, the old ones. On failure the new file is removed, the result is false and `error` (when
// given) says why. The folder must exist.
bool writeWholeFile(const QString &path, const QByteArray &bytes, StandingFile standing,
                    QString *error = nullptr);

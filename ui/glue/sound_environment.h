#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include <functional>

namespace tavenzo::ui {

struct EnvironmentVariable {
    QByteArray name;
    QByteArray value;
    bool operator==(const EnvironmentVariable&) const = default;
};

// What to add to `environment` so that PulseAudio's client library, which Qt's sound output uses, writes nothing:
// - Without XDG_RUNTIME_DIR it makes a folder of its own in the configuration folder and a random one in /tmp to find
//   the user's sound server. The login manager's folder for the user (`loginRuntimeFolder`, when there is one) is
//   where that server is, and is given instead; without one there is no such server to find, and the library is
//   given a runtime folder that cannot be made, so it looks only where it is told to or at the system-wide server, and
//   starts no server of its own (it says once that it could not make the folder).
// - In an account where no sound program has run yet it writes a random cookie into the configuration folder, which
//   no server knows; a server of the same user lets it in without one. A cookie of zeros that is read, not written,
//   takes its place.
QList<EnvironmentVariable> soundLibraryEnvironment(const QProcessEnvironment& environment,
    const QString& loginRuntimeFolder, const std::function<bool(const QString&)>& exists);

// Sets them in this process's environment. Run before the toolkit starts, which reads XDG_RUNTIME_DIR too.
void keepSoundLibraryOffDisk();

} // namespace tavenzo::ui

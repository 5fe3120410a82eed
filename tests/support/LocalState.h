#pragma once

#include <QByteArray>
#include <QTemporaryDir>

#include <map>
#include <optional>

namespace zelto::testing {

// Gives a test its own temporary, home and configuration folders (TMPDIR, HOME,
// XDG_CONFIG_HOME point into one fresh folder), a short gateway spacing, and the launcher's
// process-wide settings, cache, game type, client folder, running clients, chosen server and
// platform session at their start values; restores all on exit.
class ScopedLocalState {
public:
    explicit ScopedLocalState(int gatewaySpacingMs = 100);
    ~ScopedLocalState();
    ScopedLocalState(const ScopedLocalState &) = delete;
    ScopedLocalState &operator=(const ScopedLocalState &) = delete;

    QString Path() const { return FFolder.path(); }
    // Sets an environment variable until the end of the scope.
    void SetEnvironment(const char *name, const QByteArray &value);

private:
    QTemporaryDir FFolder;
    std::map<QByteArray, std::optional<QByteArray>> FSaved;
};

} // namespace zelto::testing

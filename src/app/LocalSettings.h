#pragma once

#include <QString>

// The player's local settings and the server-list cache. Both files live in the temporary
// folder and are named after the launcher's title, so launchers of different titles keep
// separate files. The values are process-wide and belong to the user-interface thread.
namespace zelto {

// Remembered between runs in the settings file.
extern QString g_sAccount;         // last account; empty
extern qint32 g_nSID;              // Srvid of the last chosen server; 0 = none
extern qint32 g_nResolutionIndex;  // index into ResolutionList(); 8
extern QString g_sResolution;      // text of the chosen resolution; empty until the list is loaded
extern qint32 g_nWidth;            // g_sResolution split into numbers (ApplyResolution); 1024
extern qint32 g_nHeight;           // 768
extern bool g_boFullScreen;        // true
extern bool g_boWaitVBlank;        // true

// The rest of the player's display settings, handed to the game client in its launch record;
// the server list presets them, the game settings dialog changes them.
extern bool g_bo3D;                // 3D acceleration; true
extern qint32 g_nScreenWidth;      // 1024
extern qint32 g_nScreenHeight;     // 768
extern bool g_boNewInterface;      // false

// The last server-list document (plain JSON) that loaded successfully.
extern QString g_sServerListCache;

class TLocalSettings {
public:
    // The title names the files; path separators in it are replaced so that they stay in the
    // temporary folder.
    explicit TLocalSettings(const QString &title);

    QString SettingsFileName() const;         // <temporary folder>/<title>.ini
    QString ServerListCacheFileName() const;  // <temporary folder>/<title>.txt

    // Reads the "Client" section, or the older "客户端" section when "Client"/"Resolution" is
    // empty; missing keys and malformed numbers give the defaults. No file: nothing changes.
    void LoadSettings();
    // Writes the five "Client" keys; the rest of the file stays. False when it cannot be written.
    bool SaveSettings();

    // One line, EncryptConfigString of the cached list. A missing file, or one that deciphers
    // to empty text, leaves the cache empty.
    void LoadServerListCache();
    bool SaveServerListCache();

private:
    QString FileName(const char *extension) const;

    QString FTitle;
};

} // namespace zelto

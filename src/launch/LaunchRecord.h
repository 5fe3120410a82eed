#pragma once

#include "app/LauncherConfiguration.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtEndian>

#include <cstddef>
#include <optional>
#include <type_traits>

// The launch record: 764 bytes handed to the game client, enciphered, as its one
// command-line argument. The layout is the game client's, so every field sits at a fixed
// offset; everything not named here is zero.
namespace zelto {

class TServerInfo;

// The server the player chose, as the game client is to be told.
struct TSelectedServer {
    QString name;       // DisplayName
    QByteArray key;     // Key, still enciphered
    QString address;    // the dotted address the gate connects to
    qint32 port = 0;
    qint32 id = 0;      // Srvid as a number; 0 = no server chosen
};

// The player's display settings as the record carries them; the defaults are the record's
// before any setting is applied.
struct TDisplaySettings {
    bool FullScreen = false;
    bool WaitVBlank = true;
    bool Do3D = true;
    qint32 ScreenWidth = 1024;
    qint32 ScreenHeight = 768;
    bool NewInterface = false;
};

// The process-wide display settings of app/LocalSettings.h (the catalogue presets them, the
// settings file and the settings dialog change them).
TDisplaySettings CurrentDisplaySettings();

inline constexpr quint16 kLaunchRecordConstant196 = 0x4201;
inline constexpr quint8 kLaunchRecordConstant375 = 9;

struct TLaunchRecord {
    TAnsiField<30> ServerName;
    TAnsiField<30> ServerAddr;
    TAnsiField<100> ServerKey;
    char zero163[33] = {};
    quint16_le Constant196 { kLaunchRecordConstant196 };
    char zero198[99] = {};
    TAnsiField<50> ResFolder;
    qint32_le Port { 0 };
    quint8 FullScreen = 0;
    quint8 WaitVBlank = 1;
    quint8 Do3D = 1;
    quint8 EnabledMini = 0;
    qint32_le ScreenWidth { 1024 };
    qint32_le ScreenHeight { 768 };
    quint8 NewInterface = 0;
    char zero365[7] = {};
    quint8 ClientType = 0;
    char zero373[1] = {};
    quint8 AutoClientType = 0;
    quint8 Constant375 = kLaunchRecordConstant375;
    char zero376[256] = {};
    quint8 AssistantKind = 0;
    char zero633[1] = {};
    TAnsiField<127> Reserved634; // always empty
    char zero762[2] = {};

    static constexpr int kSize = 764;

    QByteArray ToBytes() const;
    // Exactly kSize bytes, or nothing.
    static std::optional<TLaunchRecord> FromBytes(QByteArrayView bytes);
};

static_assert(std::is_trivially_copyable_v<TLaunchRecord>);
static_assert(std::is_standard_layout_v<TLaunchRecord>);
static_assert(sizeof(TLaunchRecord) == TLaunchRecord::kSize);
static_assert(offsetof(TLaunchRecord, ServerName) == 0);
static_assert(offsetof(TLaunchRecord, ServerAddr) == 31);
static_assert(offsetof(TLaunchRecord, ServerKey) == 62);
static_assert(offsetof(TLaunchRecord, zero163) == 163);
static_assert(offsetof(TLaunchRecord, Constant196) == 196);
static_assert(offsetof(TLaunchRecord, zero198) == 198);
static_assert(offsetof(TLaunchRecord, ResFolder) == 297);
static_assert(offsetof(TLaunchRecord, Port) == 348);
static_assert(offsetof(TLaunchRecord, FullScreen) == 352);
static_assert(offsetof(TLaunchRecord, WaitVBlank) == 353);
static_assert(offsetof(TLaunchRecord, Do3D) == 354);
static_assert(offsetof(TLaunchRecord, EnabledMini) == 355);
static_assert(offsetof(TLaunchRecord, ScreenWidth) == 356);
static_assert(offsetof(TLaunchRecord, ScreenHeight) == 360);
static_assert(offsetof(TLaunchRecord, NewInterface) == 364);
static_assert(offsetof(TLaunchRecord, zero365) == 365);
static_assert(offsetof(TLaunchRecord, ClientType) == 372);
static_assert(offsetof(TLaunchRecord, zero373) == 373);
static_assert(offsetof(TLaunchRecord, AutoClientType) == 374);
static_assert(offsetof(TLaunchRecord, Constant375) == 375);
static_assert(offsetof(TLaunchRecord, zero376) == 376);
static_assert(offsetof(TLaunchRecord, AssistantKind) == 632);
static_assert(offsetof(TLaunchRecord, zero633) == 633);
static_assert(offsetof(TLaunchRecord, Reserved634) == 634);
static_assert(offsetof(TLaunchRecord, zero762) == 762);

// The record for the chosen server, the catalogue's client settings and the display
// options. Texts longer than their field are cut (never inside a double-byte character);
// the resource folder gets a trailing "\" when it has no separator at its end; the new
// interface is off whenever the catalogue asks for the classic one.
TLaunchRecord BuildLaunchRecord(const TSelectedServer &server, const TServerInfo &serverInfo,
                                const TDisplaySettings &display);

// The game's command line as the system is handed it: folder, executable, one space and
// the enciphered record ("%s%s %s", unquoted).
QString GameCommandLine(const QString &clientFolder, const QString &executable, const QString &argument);

} // namespace zelto

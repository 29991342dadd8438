// Playing a sound. A sound "plays" for its length (a synchronous call waits that long on the
// platform clock) and is recorded (the newest 100), so that tests can hear of it. A WAVE file is
// also handed to the desktop's sound server (PulseAudio's, or PipeWire's in its place, through
// paplay) when there is one and the run is not headless; the system's event sounds stay silent. A
// file that is missing or is not a WAVE file plays the default sound unless SND_NODEFAULT says to
// play nothing.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010
#define SND_PURGE 0x0040
#define SND_APPLICATION 0x0080
#define SND_NOWAIT 0x00002000L
#define SND_ALIAS 0x00010000L
#define SND_FILENAME 0x00020000L
#define SND_RESOURCE 0x00040004L

// A null sound stops what plays and succeeds. SND_MEMORY and SND_RESOURCE are not supported and
// fail.
BOOL PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);

namespace platform {

struct PlayedSound {
    std::string name;  // as the program gave it (GBK); "SystemDefault" for the default sound
    DWORD flags = 0;   // the flags of the call
    DWORD milliseconds = 0;
};

// The sounds played since the last call, oldest first.
std::vector<PlayedSound> TakePlayedSounds();

}  // namespace platform

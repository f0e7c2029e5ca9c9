#include "game/game_sound.h"

#include "platform/profile.h"
#include "sound/sound_bank.h"
#include "sound/zel_sound.h"

namespace {
int SwitchIsOn(const char* key) {
    char value[2];
    plat::GetProfileString("setup", key, "Y", value, sizeof value, "..\\options.ini");
    return value[0] == 'Y' ? 1 : 0;
}
} // namespace

void StartGameSound() {
    const int musicOn = SwitchIsOn("music");
    soundBank.EnableMusic(musicOn);
    soundBank.EnableSFX(SwitchIsOn("SFX"));
    if (!musicOn)
        return;
    // A missing or unreadable music file only means no music.
    if (zelSound.LoadStream(".\\sounds\\music.wav", 0)) {
        ZelSound::SetStreamVolume(32767);
        zelSound.PlayStream(4);
        zelSound.FadeMusicIn(300);
    }
}

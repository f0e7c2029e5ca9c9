#include "game/game_sound.h"

#include "platform/profile.h"
#include "sound/sound_bank.h"
#include "sound/zel_sound.h"

namespace {
constexpr int kFullVolume = 65535;

struct Effect {
    const char* file;
    const char* name;
};
constexpr Effect kEffects[] = {
    {"sounds\\carddown.wav", "carddown"}, {"sounds\\neg.wav", "negative"},
    {"sounds\\pos1.wav", "pos1"},         {"sounds\\pos3.wav", "pos3"},
    {"sounds\\tada.wav", "tada"},         {"sounds\\click.wav", "click"},
};

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
        zelSound.StartFadeMusicIn(300); // the table shows while the music fades in
    }
}

void LoadGameEffects() {
    for (const Effect& effect : kEffects)
        soundBank.Load(effect.file, effect.name);
}

void PlayEffect(const char* name) {
    soundBank.Play(name, kFullVolume, 0);
}

#pragma once
// The menu writes the players and the sound switches to "options.ini" as the player changes
// them. When a write fails (a read-only suite folder, a full disk) the player is told once a
// run, not at every click.

// Call with the result of every settings write.
void NoteSettingsSaved(bool saved);
void ResetSettingsNotice(); // tests

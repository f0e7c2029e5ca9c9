#pragma once
// The menu on the null backend: a suite folder of one-colour pictures in a temporary directory
// (the current directory), the two screens registered, and helpers for taps and pop-ups, whose
// own loops a script drives frame by frame.
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "menu/game_pages_screen.h"
#include "menu/settings_notice.h"
#include "menu/title_screen.h"
#include "platform/display.h"
#include "platform/window.h"
#include "screens/screen_manager.h"
#include "support/colour_pictures.h"
#include "support/null_display.h"
#include "support/typing.h"

namespace menu_test {

using namespace testing_support;

constexpr Rgb kIconRed{255, 0, 0}, kMarkerYellow{255, 255, 0}, kPanelWhite{255, 255, 255};
constexpr Rgb kNameWhite{250, 250, 250}, kHighlightRed{200, 0, 0};
constexpr Rgb kSwitchOn{0, 200, 0}, kSwitchOff{200, 0, 200}; // the two frames of a switch
constexpr Rgb kSeeThrough{0, 0, 255};
constexpr int kPanelX = 53, kPanelY = 18; // where the title screen's pop-ups sit

// Every button is a grey 40 by 40 square of two frames: tests press it at its corner + 10. A
// font's 94 glyphs are 6 wide, with one see-through column between two.
inline const std::map<std::string, std::string>& SuitePictures() {
    static const std::map<std::string, std::string> pictures = [] {
        std::map<std::string, std::string> p;
        for (const char* button :
             {"PageArrowsLeft", "PageArrowsRight", "Info", "SmallExit", "backbutton", "PlayButton",
              "HowToPlayButton", "HighScoresButton", "MenuButton", "CreditsButton", "ExitButton",
              "PlayersButton", "EnterButton", "RemoveButton", "UploadButton", "ClearScores"})
            p[std::string(button) + ".bmp"] = SolidBmp(80, 40, {99, 99, 99});
        for (const char* panel : {"PlayerInfo.bmp", "HallOfFameScreen.bmp", "infoscreen.bmp",
                                  "title/Credits.bmp", "title/HowToPlay.bmp"})
            p[panel] = SolidBmp(694, 564, kPanelWhite);
        p["background.bmp"] = p["title/titlebackground.bmp"] = SolidBmp(800, 600, {0, 80, 0});
        p["GameButton.bmp"] = SolidBmp(750, 100, kSeeThrough);
        p["CollectButton.bmp"] = SolidBmp(250, 100, kMarkerYellow);
        p["blockcursor.bmp"] = SolidBmp(10, 20, kHighlightRed);
        p["sfx.bmp"] = p["music.bmp"] = p["yesno.bmp"] =
            StripBmp(50, 40, 2, [](int f) { return f == 0 ? kSwitchOn : kSwitchOff; });
        p["PageNumbers.bmp"] = StripBmp(10, 10, 10, [](int d) {
            return Rgb{uint8_t(20 * d + 20), 0, 0};
        });
        for (const char* font :
             {"n_font.bmp", "h_font.bmp", "HallBlackFont.bmp", "HallPurpleFont.bmp"}) {
            const Rgb ink = font[0] == 'h' ? kHighlightRed : kNameWhite;
            p[font] =
                BmpBytes(94 * 7, 20, [ink](int x, int) { return x % 7 < 6 ? ink : kSeeThrough; });
        }
        return p;
    }();
    return pictures;
}

class MenuTest : public NullDisplayTest {
  protected:
    void SetUp() override {
        NullDisplayTest::SetUp();
        keyQueue.Reset();
        ResetSettingsNotice();
        for (const auto& [name, bytes] : SuitePictures())
            if (!name.starts_with("title/"))
                WriteBytes(suite / name, bytes);
        std::filesystem::current_path(suite.path());
        screenManager.Clear();
        screenManager.SetDisplay(nullptr, Back());
        screenManager.Register(&gamePagesScreen);
        screenManager.Register(&titleScreen);
    }
    void TearDown() override {
        plat::null::SetFlipHook(nullptr);
        screenManager.LeaveAll();
        screenManager.Clear();
        keyQueue.Reset();
        NullDisplayTest::TearDown();
    }

  public:
    // Starts again from an empty suite folder.
    void FreshSuite() {
        TearDown();
        for (const auto& entry : std::filesystem::directory_iterator(suite.path()))
            std::filesystem::remove_all(entry.path());
        SetUp();
    }
    // A game folder with its button and, unless `complete` is false, its title pictures and
    // program.
    void AddGame(const std::string& name, bool complete = true) {
        const std::filesystem::path folder = suite.path() / name;
        std::filesystem::create_directories(folder / "title");
        WriteBytes((folder / "LumoraButton.bmp").string(), SolidBmp(250, 100, kIconRed));
        if (!complete)
            return;
        for (const auto& [picture, bytes] : SuitePictures())
            if (picture.starts_with("title/"))
                WriteBytes((folder / picture).string(), bytes);
        WriteBytes((folder / name).string(), "#!/bin/sh\n");
        std::filesystem::permissions(folder / name, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }
    // Enters the pages as start-up does, with the command line when there is one.
    static void Start(const char* commandLine = nullptr) {
        screenManager.SwitchTo("Lumora");
        gamePagesScreen.SelectByProgram(commandLine);
    }
    static int Frame() { return screenManager.Update(1); }
    static void Frames(int n) {
        for (int i = 0; i < n; ++i)
            Frame();
    }
    static std::function<void()> TapAt(int x, int y) {
        return [x, y] { Tap(x, y); };
    }
    // A button's click takes two frames: the one that sees it down, the one that completes it.
    static int Click(int x, int y) {
        Tap(x, y);
        Frame();
        return Frame();
    }
    static int ShownPixel(int x, int y) { return GetPixelValue(plat::PrimarySurface(), x, y); }
    static const char* ScreenName() { return screenManager.Current()->GetName(); }

    // Clicks a button that opens a pop-up, and runs the script's step for each of the pop-up's
    // frames (from 1) after that frame is shown. After `limit` frames the program is asked to
    // quit, so a pop-up that never closes fails the test instead of hanging it. Returns what
    // the frame that opened the pop-up returned.
    using Script = std::map<int, std::function<void()>>;
    static int ClickIntoPopup(int x, int y, Script script, int limit = 300) {
        Tap(x, y);
        Frame();
        popupScript = std::move(script);
        popupFrame = 0;
        popupLimit = limit;
        plat::null::SetFlipHook([] {
            if (++popupFrame == popupLimit)
                plat::PostQuitMessage(0);
            if (auto step = popupScript.find(popupFrame); step != popupScript.end())
                step->second();
        });
        const int result = Frame();
        plat::null::SetFlipHook(nullptr);
        return result;
    }
    static inline Script popupScript;
    static inline int popupFrame = 0, popupLimit = 0;
    std::string ReadFile(const std::string& relative) const { return ReadBytes(suite / relative); }

    TempDir suite;
    CurrentDirGuard keepCurrentDir; // after suite: restored before the folder goes
};

} // namespace menu_test

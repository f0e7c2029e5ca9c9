#pragma once
// The menu on the null backend: a suite folder of one-colour pictures in a temporary directory
// (the current directory), the two screens registered, and helpers for taps, typing and
// pop-ups, whose own loops a script drives frame by frame.
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "menu/game_pages_screen.h"
#include "menu/settings_notice.h"
#include "menu/title_screen.h"
#include "platform/display.h"
#include "platform/window.h"
#include "screens/key_queue.h"
#include "screens/screen_manager.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

namespace menu_test {

using namespace testing_support;

constexpr Rgb kIconRed{255, 0, 0}, kMarkerYellow{255, 255, 0}, kPanelWhite{255, 255, 255};
constexpr Rgb kNameWhite{250, 250, 250}, kHighlightRed{200, 0, 0};
constexpr Rgb kHallPurple{128, 0, 128}, kHallBlack{0, 0, 0};
constexpr Rgb kSwitchOn{0, 200, 0}, kSwitchOff{200, 0, 200}; // the two frames of a switch
constexpr Rgb kSeeThrough{0, 0, 255};
constexpr int kPanelX = 53, kPanelY = 18; // where the title screen's pop-ups sit

inline int Pixel(Rgb c) {
    return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3);
}

// `frames` frames side by side, frame f of colour frameColour(f). A font's 94 glyphs are 6
// wide, with one see-through column between two.
inline std::string Picture(int w, int h, int frames, std::function<Rgb(int)> frameColour) {
    return BmpBytes(w * frames, h, [&](int x, int) { return frameColour(x / w); });
}

// Every button is a grey 40 by 40 square of two frames: tests press it at its corner + 10.
inline const std::map<std::string, std::string>& SuitePictures() {
    static const std::map<std::string, std::string> pictures = [] {
        std::map<std::string, std::string> p;
        for (const char* button :
             {"PageArrowsLeft", "PageArrowsRight", "Info", "SmallExit", "backbutton", "PlayButton",
              "HowToPlayButton", "HighScoresButton", "MenuButton", "CreditsButton", "ExitButton",
              "PlayersButton", "EnterButton", "RemoveButton", "UploadButton", "ClearScores"})
            p[std::string(button) + ".bmp"] = Picture(40, 40, 2, [](int) {
                return Rgb{99, 99, 99};
            });
        for (const char* panel : {"PlayerInfo.bmp", "HallOfFameScreen.bmp", "infoscreen.bmp",
                                  "title/Credits.bmp", "title/HowToPlay.bmp"})
            p[panel] = Picture(694, 564, 1, [](int) { return kPanelWhite; });
        for (const char* still : {"background.bmp", "title/titlebackground.bmp"})
            p[still] = Picture(800, 600, 1, [](int) { return Rgb{0, 80, 0}; });
        p["GameButton.bmp"] = Picture(250, 100, 3, [](int) { return kSeeThrough; });
        p["CollectButton.bmp"] = Picture(250, 100, 1, [](int) { return kMarkerYellow; });
        p["blockcursor.bmp"] = Picture(10, 20, 1, [](int) { return kHighlightRed; });
        auto onOff = [](int f) { return f == 0 ? kSwitchOn : kSwitchOff; };
        p["sfx.bmp"] = p["music.bmp"] = p["yesno.bmp"] = Picture(50, 40, 2, onOff);
        p["PageNumbers.bmp"] = Picture(10, 10, 10, [](int d) {
            return Rgb{static_cast<uint8_t>(20 * (d + 1)), 0, 0};
        });
        const std::pair<const char*, Rgb> fonts[] = {{"n_font.bmp", kNameWhite},
                                                     {"h_font.bmp", kHighlightRed},
                                                     {"HallBlackFont.bmp", kHallBlack},
                                                     {"HallPurpleFont.bmp", kHallPurple}};
        for (const auto& [name, ink] : fonts)
            p[name] = BmpBytes(94 * 7, 20,
                               [ink = ink](int x, int) { return x % 7 < 6 ? ink : kSeeThrough; });
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
        for (const auto& [name, bytes] : SuitePictures()) {
            if (name.rfind("title/", 0) != 0)
                WriteBytes(suite / name, bytes);
        }
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

    // A game folder with its title pictures and program; `icon` false leaves out its button.
    void AddGame(const std::string& name, bool icon = true) {
        const std::filesystem::path folder = suite.path() / name;
        std::filesystem::create_directories(folder / "title");
        for (const auto& [picture, bytes] : SuitePictures()) {
            if (picture.rfind("title/", 0) == 0)
                WriteBytes((folder / picture).string(), bytes);
        }
        if (icon)
            AddIcon(folder);
        WriteBytes((folder / name).string(), "#!/bin/sh\n");
        std::filesystem::permissions(folder / name, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }
    // Games with nothing but their button.
    void AddGames(int count) {
        for (int i = 0; i < count; ++i) {
            std::filesystem::create_directory(suite.path() / ("Game" + std::to_string(100 + i)));
            AddIcon(suite.path() / ("Game" + std::to_string(100 + i)));
        }
    }
    static void AddIcon(const std::filesystem::path& folder) {
        static const std::string icon = Picture(250, 100, 1, [](int) { return kIconRed; });
        WriteBytes((folder / "LumoraButton.bmp").string(), icon);
    }
    // Enters the pages as start-up does, with the command line when there is one.
    static void Start(const char* commandLine = nullptr) {
        screenManager.SwitchTo("Lumora");
        if (commandLine)
            gamePagesScreen.SelectByProgram(commandLine);
    }
    static int Frame() { return screenManager.Update(1); }
    static void Frames(int n) {
        for (int i = 0; i < n; ++i)
            Frame();
    }
    // A press and release both between two frames.
    static void Tap(int x, int y) {
        mouseCursor.SetPosition(x, y);
        PressLeft();
        ReleaseLeft();
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
        int result = Frame();
        plat::null::SetFlipHook(nullptr);
        return result;
    }
    static inline Script popupScript;
    static inline int popupFrame = 0, popupLimit = 0;
    static std::function<void()> TapAt(int x, int y) {
        return [x, y] { Tap(x, y); };
    }
    // Queues the keys that type `text` (US layout), as the message pump would.
    static void Type(const std::string& text) {
        for (char c : text) {
            for (uint32_t code = 1; code < 0x200; ++code) {
                if (KeyQueue::KeyToChar(code) == c) {
                    TypeKey(code);
                    break;
                }
            }
        }
    }
    static void TypeKey(uint32_t code) {
        unsigned char keys[256] = {};
        keys[0x2A] = code & 0x100 ? 0x80 : 0; // left Shift
        keys[code & 0xFF] = 0x80;
        keyQueue.Feed(keys);
        unsigned char none[256] = {};
        keyQueue.Feed(none);
    }
    std::string ReadFile(const std::string& relative) const { return ReadBytes(suite / relative); }

    TempDir suite;
    CurrentDirGuard keepCurrentDir; // after suite: restored before the folder goes
};

} // namespace menu_test

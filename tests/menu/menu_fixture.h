#pragma once
// The menu on the null backend: a suite folder of plain pictures in a temporary directory (the
// current directory), the two screens registered, and helpers for clicks, typing and pop-ups.
// Pictures are solid colours so that a test can tell them apart by one pixel.
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
#include "support/temp_dir.h"

namespace menu_test {

using namespace testing_support;

constexpr Rgb kPageGreen{0, 80, 0};
constexpr Rgb kIconRed{255, 0, 0};
constexpr Rgb kMarkerYellow{255, 255, 0};
constexpr Rgb kTitleNavy{0, 0, 100};
constexpr Rgb kPanelWhite{255, 255, 255};
constexpr Rgb kNameWhite{250, 250, 250};
constexpr Rgb kHighlightRed{200, 0, 0};
constexpr Rgb kHallPurple{128, 0, 128};
constexpr Rgb kHallBlack{0, 0, 0};
constexpr Rgb kSwitchOn{0, 200, 0};
constexpr Rgb kSwitchOff{200, 0, 200};
constexpr Rgb kButtonGrey{120, 120, 120};
constexpr int kGlyphWidth = 6; // every glyph; one blue column between two
constexpr int kGlyphHeight = 20;

inline uint16_t Pixel(Rgb c) {
    return static_cast<uint16_t>(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3));
}

// A picture of `frames` frames side by side; frame f has colour frameColour(f).
inline std::string StripBmp(int frameWidth, int height, int frames,
                            const std::function<Rgb(int)>& frameColour) {
    return BmpBytes(frameWidth * frames, height,
                    [&](int x, int) { return frameColour(x / frameWidth); });
}
inline std::string SolidBmp(int width, int height, Rgb colour) {
    return StripBmp(width, height, 1, [colour](int) { return colour; });
}
// The 94 glyphs of a font, kGlyphWidth wide, in one colour on pure blue.
inline std::string FontBmp(Rgb colour) {
    const int pitch = kGlyphWidth + 1;
    return BmpBytes(94 * pitch, kGlyphHeight, [&](int x, int) {
        return x % pitch < kGlyphWidth ? colour : Rgb{0, 0, 255};
    });
}

// Every picture of the suite, made once.
inline const std::map<std::string, std::string>& SuitePictures() {
    static const std::map<std::string, std::string> pictures = [] {
        std::map<std::string, std::string> p;
        auto button = [](int w, int h) { return SolidBmp(2 * w, h, kButtonGrey); };
        p["background.bmp"] = SolidBmp(800, 600, kPageGreen);
        p["GameButton.bmp"] = SolidBmp(750, 100, Rgb{0, 0, 255}); // see-through frames
        p["CollectButton.bmp"] = SolidBmp(250, 100, kMarkerYellow);
        p["PageNumbers.bmp"] = StripBmp(10, 10, 10, [](int d) {
            return Rgb{static_cast<uint8_t>(20 * (d + 1)), 0, 0};
        });
        for (const char* name : {"PageArrowsLeft.bmp", "PageArrowsRight.bmp"})
            p[name] = button(40, 44);
        for (const char* name : {"Info.bmp", "SmallExit.bmp"})
            p[name] = button(72, 40);
        p["infoscreen.bmp"] = SolidBmp(780, 450, kPanelWhite);
        p["backbutton.bmp"] = button(76, 44);
        for (const char* name : {"HowToPlayButton.bmp", "PlayButton.bmp", "HighScoresButton.bmp",
                                 "MenuButton.bmp", "CreditsButton.bmp", "ExitButton.bmp"})
            p[name] = button(112, 56);
        p["PlayersButton.bmp"] = button(236, 48);
        for (const char* name : {"sfx.bmp", "music.bmp"})
            p[name] = StripBmp(50, 50, 2, [](int f) { return f == 0 ? kSwitchOn : kSwitchOff; });
        p["blockcursor.bmp"] = SolidBmp(10, 20, kHighlightRed);
        p["PlayerInfo.bmp"] = SolidBmp(694, 564, kPanelWhite);
        p["HallOfFameScreen.bmp"] = SolidBmp(694, 564, kPanelWhite);
        for (const char* name : {"EnterButton.bmp", "RemoveButton.bmp"})
            p[name] = button(104, 44);
        p["yesno.bmp"] = StripBmp(96, 40, 2, [](int f) { return f == 0 ? kSwitchOn : kSwitchOff; });
        for (const char* name : {"UploadButton.bmp", "ClearScores.bmp"})
            p[name] = button(120, 48);
        p["n_font.bmp"] = FontBmp(kNameWhite);
        p["h_font.bmp"] = FontBmp(kHighlightRed);
        p["HallBlackFont.bmp"] = FontBmp(kHallBlack);
        p["HallPurpleFont.bmp"] = FontBmp(kHallPurple);
        p["title/titlebackground.bmp"] = SolidBmp(800, 600, kTitleNavy);
        p["title/Credits.bmp"] = SolidBmp(694, 564, kPanelWhite);
        p["title/HowToPlay.bmp"] = SolidBmp(694, 564, kPanelWhite);
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

    // Starts again from an empty suite folder.
    void FreshSuite() {
        TearDown();
        for (const auto& entry : std::filesystem::directory_iterator(suite.path()))
            std::filesystem::remove_all(entry.path());
        SetUp();
    }
    // Takes the quit message a test left behind.
    static void DropQuit() {
        plat::Message message;
        while (plat::PeekMessage(&message)) {
        }
    }
    // A game folder: its button picture (unless told otherwise), title pictures and program.
    void AddGame(const std::string& name, bool withIcon = true) {
        const std::filesystem::path folder = suite.path() / name;
        std::filesystem::create_directories(folder / "title");
        if (withIcon)
            WriteBytes((folder / "LumoraButton.bmp").string(), SolidBmp(250, 100, kIconRed));
        for (const auto& [picture, bytes] : SuitePictures()) {
            if (picture.rfind("title/", 0) == 0)
                WriteBytes((folder / picture).string(), bytes);
        }
        WriteBytes((folder / name).string(), "#!/bin/sh\n");
        std::filesystem::permissions(folder / name, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }
    // Games with nothing but their button picture.
    void AddGames(int count) {
        static const std::string icon = SolidBmp(250, 100, kIconRed);
        for (int i = 0; i < count; ++i) {
            const std::filesystem::path folder = suite.path() / ("Game" + std::to_string(100 + i));
            std::filesystem::create_directory(folder);
            WriteBytes((folder / "LumoraButton.bmp").string(), icon);
        }
    }
    // Enters the pages, as the program's start-up does.
    void Start(const char* commandLine = nullptr) {
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
    // A click on a button: the frame that sees it down, then the one that completes it.
    static int Click(int x, int y) {
        Tap(x, y);
        Frame();
        return Frame();
    }
    // A pixel of the picture presented last.
    static int ShownPixel(int x, int y) { return GetPixelValue(plat::PrimarySurface(), x, y); }
    static const char* ScreenName() { return screenManager.Current()->GetName(); }

    // Clicks a button that opens a pop-up and runs `step` at the end of each of the pop-up's
    // frames (numbered from 1) and of the frames after it. After `limit` frames the program is
    // asked to quit, so a pop-up that never closes fails the test instead of hanging it.
    // Returns what the frame that opened the pop-up returned.
    static int ClickIntoPopup(int x, int y, std::function<void(int frame)> step, int limit = 300) {
        Tap(x, y);
        Frame();
        auto frame = std::make_shared<int>(0);
        plat::null::SetFlipHook([step = std::move(step), frame, limit] {
            if (++*frame == limit)
                plat::PostQuitMessage(0);
            step(*frame);
        });
        int result = Frame();
        plat::null::SetFlipHook(nullptr);
        return result;
    }
    // A step that taps at the given places, on frames 1, 4, 7 ...: each tap completes a click.
    static std::function<void(int)> Taps(std::vector<std::pair<int, int>> places) {
        return [places](int frame) {
            const size_t i = static_cast<size_t>(frame - 1) / 3;
            if ((frame - 1) % 3 == 0 && i < places.size())
                Tap(places[i].first, places[i].second);
        };
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
        if (code & 0x100)
            keys[0x2A] = 0x80;
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

#pragma once
// A screen that runs modally inside the caller's frame: a background picture and some buttons,
// its own loop (messages, drawing, presenting), and a result: the name of the pressed button,
// an empty text after a time-out, or 0 from Run when the program is quitting. It is never
// registered with the screen manager; it draws straight into the program's back surface.
#include <cstddef>

#include "core/ptr_array.h"
#include "gfx/image.h"
#include "screens/screen.h"

constexpr int POPUP_UNPLACED = -1;

class PopupScreen : public Screen {
  public:
    PopupScreen();
    ~PopupScreen() override;

    void Init() override;
    void Leave() override;

    // (-1, -1) centres a pop-up that was never placed and keeps any earlier placement.
    virtual void SetPosition(int newX, int newY);
    virtual void SetResult(const char* text);
    // Writes the result (at most resultSize bytes, NUL included) and returns 1, or returns 0
    // without writing when the program quits or OnFrame refuses.
    virtual int Run(char* resultOut, size_t resultSize, const char* backgroundName);
    virtual int OnFrame(int mouseX, int mouseY, int buttons);
    virtual int CheckDone();
    virtual Image* SetBackground(Image* image);
    virtual Image* SelectBackground(const char* imageName);
    virtual Image* FindBackground(const char* imageName);
    virtual Image* AddBackground(const char* fileName, const char* imageName);
    virtual void SetSwitchDirtyTarget(int flag);
    virtual void AddDefaultStrip();
    virtual void SetDeadline(int milliseconds);

    template <size_t N> int Run(char (&resultOut)[N], const char* backgroundName) {
        return Run(resultOut, N, backgroundName);
    }

    int Left() const { return left; }
    int Top() const { return top; }
    int Right() const { return right; }
    int Bottom() const { return bottom; }
    int X() const { return x; }
    int Y() const { return y; }
    int IsDone() const { return done; }
    int Deadline() const { return deadline; }
    Image* Background() const { return background; }
    const char* Result() const { return name; }

  protected:
    void FreeBackgrounds();

    PtrArray<Image>* backgrounds = nullptr;
    Image* background = nullptr;
    int done = 0;
    int left = POPUP_UNPLACED, top = POPUP_UNPLACED;
    int right = POPUP_UNPLACED, bottom = POPUP_UNPLACED;
    int x = 0, y = 0;
    int switchDirtyTarget = 1;
    int deadline = 0;
};

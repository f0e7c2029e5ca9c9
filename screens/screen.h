#pragma once
// The base of every screen: a named list of images, a group of strips, and the presenting of a
// finished frame (flip, then restore the dirty rectangles). Virtual operations keep this order;
// derived screens append their own.
#include "core/ptr_array.h"
#include "gfx/image.h"

namespace plat {
struct Window;
struct Display;
} // namespace plat

class StripGroup;
class ImageStrip;

constexpr int UPDATE_QUIT = 7;

class Screen {
  public:
    Screen();
    virtual ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    virtual void Init();
    virtual void Enter(plat::Display* directDraw, Surface* backSurface);
    virtual void Leave();
    virtual int HandleMessage(plat::Window* hwnd, unsigned message, uintptr_t wParam,
                              intptr_t lParam);
    virtual int Update(int active);
    virtual void SetName(const char* text);
    virtual const char* GetName();
    virtual Image* AddImage(const char* fileName);
    virtual void FreeImages();
    virtual void SetDirtyTarget(Surface* surface);
    virtual void SetDirtyBackground(Surface* surface);
    virtual int LoadImageList(const char* iniPath);
    virtual Image* FindImage(const char* imageName);
    virtual int DrawImage(Surface* surface, const char* imageName, int x, int y);
    virtual int DrawImageAtHome(Surface* surface, const char* imageName);
    virtual int Present();
    virtual void SetPresentDelegate(Screen* screen);
    virtual void AddStrip(ImageStrip* strip);

    // A button of the screen: a strip at (x, y) cut from a bitmap of `frames` frames side by
    // side, named and added to the screen's strips.
    ImageStrip* AddButton(const char* stripName, int x, int y, const char* fileName,
                          int frames = 2);
    // How every screen's frame begins: the frame's mouse state (a click between two frames
    // included) handed to the strips, which are then drawn. The state is written to the
    // arguments given.
    void UpdateStrips(int* x = nullptr, int* y = nullptr, int* buttons = nullptr);

    StripGroup* Strips() const { return strips; }
    PtrArray<Image>* Images() const { return images; }

  protected:
    // The derived screens' way into a frame: two copies of one picture, the first the dirty
    // rectangles' target (composed on), the second their background (repaired from), and the
    // whole picture scheduled for the screen. A picture that cannot be loaded leaves no stale
    // surface of an earlier screen in the dirty rectangle list.
    void SetUpStillPicture(const char* fileName);
    void BaseLeave(); // what Leave does in this class; the destructor calls it

    char name[256] = {};
    plat::Display* directDraw = nullptr;
    Surface* backSurface = nullptr;
    StripGroup* strips = nullptr;
    PtrArray<Image>* images = nullptr;
    Image* targetImage = nullptr;
    Image* backgroundImage = nullptr;
    Screen* presentDelegate = nullptr;
};

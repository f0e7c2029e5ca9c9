#include "screens/popup_screen.h"

#include <cstdio>
#include <cstring>

#include "core/mouse_cursor.h"
#include "core/timer_service.h"
#include "gfx/dirty_rect_list.h"
#include "gfx/strip_group.h"
#include "screens/message_pump.h"

namespace {
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

void CopyText(char* to, size_t size, const char* from) {
    if (to && size > 0)
        std::snprintf(to, size, "%s", from ? from : "");
}
} // namespace

PopupScreen::PopupScreen() : backgrounds(new PtrArray<Image>()) {}

PopupScreen::~PopupScreen() {
    PopupScreen::Leave();
}

void PopupScreen::Init() {
    if (!backgrounds)
        backgrounds = new PtrArray<Image>();
}

void PopupScreen::Leave() {
    Screen::Leave();
    FreeBackgrounds();
}

void PopupScreen::FreeBackgrounds() {
    if (!backgrounds)
        return;
    for (int i = 0; i < backgrounds->Count(); ++i)
        delete backgrounds->Get(i);
    delete backgrounds;
    backgrounds = nullptr;
    background = nullptr;
}

void PopupScreen::SetPosition(int newX, int newY) {
    int width = background ? background->width : 0;
    int height = background ? background->height : 0;
    if (newX != POPUP_UNPLACED || newY != POPUP_UNPLACED) {
        left = newX;
        top = newY;
        right = newX + width;
        bottom = newY + height;
    } else if (left == POPUP_UNPLACED && top == POPUP_UNPLACED) {
        left = kScreenWidth / 2 - width / 2;
        top = kScreenHeight / 2 - height / 2;
        right = left + width;
        bottom = top + height;
    }
    if (strips)
        strips->SetOrigin(left, top);
    x = left;
    y = top;
}

void PopupScreen::SetResult(const char* text) {
    if (text)
        CopyText(name, sizeof name, text);
    done = 1;
}

int PopupScreen::Run(char* resultOut, size_t resultSize, const char* backgroundName) {
    done = 0;
    if (backgroundName)
        SelectBackground(backgroundName);
    else
        background = backgrounds ? backgrounds->Get(0) : nullptr;
    Surface* callerTarget = dirtyRects.GetTarget();
    if (switchDirtyTarget == 1)
        dirtyRects.SetTarget(background ? background->surface : nullptr);
    name[0] = '\0';
    for (;;) {
        if (done == 1) {
            if (switchDirtyTarget == 1)
                dirtyRects.SetTarget(callerTarget);
            CopyText(resultOut, resultSize, name);
            return 1;
        }
        int mouseX = 0, mouseY = 0, buttons = 0;
        mouseCursor.GetFrameState(&mouseX, &mouseY, &buttons);
        if (PumpMessages())
            break;
        if (background)
            background->Draw(dirtyRects.BackSurface(), left, top);
        if (strips) {
            strips->UpdateAll(mouseX, mouseY, buttons);
            strips->DrawAll();
        }
        if (!OnFrame(mouseX, mouseY, buttons))
            break;
        Present();
    }
    if (switchDirtyTarget == 1)
        dirtyRects.SetTarget(callerTarget);
    return 0;
}

int PopupScreen::OnFrame(int /*mouseX*/, int /*mouseY*/, int /*buttons*/) {
    return CheckDone();
}

int PopupScreen::CheckDone() {
    if (strips) {
        if (ImageStrip* clicked = strips->FindClicked()) {
            CopyText(name, sizeof name, clicked->Name());
            done = 1;
        }
    }
    if (deadline != 0 && GetTicks() > deadline)
        done = 1;
    return 1;
}

Image* PopupScreen::SetBackground(Image* image) {
    if (image) {
        background = image;
        SetPosition(POPUP_UNPLACED, POPUP_UNPLACED);
    }
    return image;
}

Image* PopupScreen::SelectBackground(const char* imageName) {
    Image* found = FindBackground(imageName);
    background = found ? found : (backgrounds ? backgrounds->Get(0) : nullptr);
    SetPosition(POPUP_UNPLACED, POPUP_UNPLACED);
    return background;
}

Image* PopupScreen::FindBackground(const char* imageName) {
    if (!backgrounds || !imageName)
        return nullptr;
    for (int i = 0; i < backgrounds->Count(); ++i) {
        if (std::strcmp(backgrounds->Get(i)->name, imageName) == 0)
            return backgrounds->Get(i);
    }
    return nullptr;
}

Image* PopupScreen::AddBackground(const char* fileName, const char* imageName) {
    // Only this class's own container: a derived pop-up's Init adds its background here.
    PopupScreen::Init();
    // A file that cannot be loaded still gives an image: drawn as nothing, placed as 0 by 0.
    Image* image = new Image(fileName);
    image->SetName(imageName ? imageName : "");
    backgrounds->Add(image);
    return SetBackground(image);
}

void PopupScreen::SetSwitchDirtyTarget(int flag) {
    switchDirtyTarget = flag;
}

void PopupScreen::AddDefaultStrip() {
    int width = background ? background->width : 0;
    int height = background ? background->height : 0;
    ImageStrip* strip = new ImageStrip(0, 0, width, height);
    strip->SetName("default");
    AddStrip(strip);
}

void PopupScreen::SetDeadline(int milliseconds) {
    deadline = milliseconds;
}

void DirtyRectList::AddPopupArea(const PopupScreen* popup) {
    if (!popup)
        return;
    AddRect(popup->Left(), popup->Top(), popup->Right() - popup->Left(),
            popup->Bottom() - popup->Top());
}

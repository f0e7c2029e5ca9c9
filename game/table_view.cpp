#include "game/table_view.h"

#include <cstdio>

#include "core/timer_service.h"
#include "game/card_game.h"
#include "game/game_screen.h"
#include "game/game_sound.h"
#include "game/pause.h"
#include "gfx/dirty_rect_list.h"

namespace {
// The three areas of the table, repaired from the background at every redraw.
constexpr SurfaceRect kColumnsArea{50, 120, 750, 446};
constexpr SurfaceRect kFoundationsArea{220, 12, 570, 120};
constexpr SurfaceRect kFreeCellsArea{70, 454, 720, 562};

constexpr int kDealPause = 75;
constexpr int kFlightSteps = 15;
constexpr int kFlightStepPause = 10;
constexpr int kPlacementPause = 100;
constexpr int kFloatingLife = 500;
constexpr int kFloatingDrop = 15; // below the foundation's top edge
constexpr int kShadowLeft = 5, kShadowDown = 2;
constexpr int kHighlightMargin = 2;

constexpr int kPanelX = 26, kPanelY = 24, kPanelW = 202, kPanelH = 82;
constexpr int kScoreRight = 192, kBestScoreY = 30, kScoreY = 60;

void Repair(const SurfaceRect& area) {
    dirtyRects.AddRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

std::unique_ptr<Sprite> PictureFromFile(const char* fileName) {
    auto sprite = std::make_unique<Sprite>();
    sprite->AddFrameFromFile(fileName);
    // Drawn on the table, whose areas are repaired and shown as a whole.
    sprite->SetMarkDirty(0);
    return sprite;
}

std::unique_ptr<Sprite> StripFromFile(const char* fileName, int frames) {
    auto sprite = std::make_unique<Sprite>();
    sprite->LoadStrip(fileName, frames, 0);
    sprite->FixFrameWidth();
    return sprite;
}

void Present() {
    gameScreen.Present();
}
} // namespace

void TableView::LoadGamePictures() {
    FreeGamePictures();
    ForgetPanels();
    crowns = StripFromFile("kings1.bmp", 4);
    crowns->SetMarkDirty(0);
    highlight = PictureFromFile("cardhilite.bmp");
    shadow = PictureFromFile("cardshadow.bmp");
    clockBar = std::make_unique<ClockBar>();
}

void TableView::FreeGamePictures() {
    floatingScores.clear();
    crowns.reset();
    highlight.reset();
    shadow.reset();
    clockBar.reset();
}

void TableView::LoadScreenPictures() {
    scoreDigits = StripFromFile("scorefont.bmp", 10);
    scoreDigits->SetMarkDirty(0); // the panel is repaired and shown as a whole
    floatingPoints = StripFromFile("floatingscores.bmp", CHAIN_LENGTH);
}

void TableView::FreeScreenPictures() {
    // Floating points share the frames of their prototype.
    floatingScores.clear();
    scoreDigits.reset();
    floatingPoints.reset();
}

void TableView::RedrawTable(int dealAnimation) {
    dirtyRects.DropOneShot();
    Repair(kColumnsArea);
    Repair(kFoundationsArea);
    Repair(kFreeCellsArea);
    if (dealAnimation)
        Present();
    DrawTable(dealAnimation);
    Present();
}

void TableView::DrawCard(const CardSlot& slot, Surface* target) {
    BltSurface(board.CardImage(slot.card), target, slot.x, slot.y);
    if (highlight && game.HintsOn() && slot.movable) {
        highlight->SetPosition(slot.x - kHighlightMargin, slot.y - kHighlightMargin);
        highlight->Draw(target);
    }
}

// A dealt card reaches both display pages before the next one comes.
void TableView::ShowDealtCard(const CardSlot& slot, int shadowMargin) {
    const SurfaceRect area{slot.x - shadowMargin, slot.y, slot.x + slot.width,
                           slot.y + slot.height + (shadowMargin ? kShadowDown : 0)};
    for (int page = 0; page < 2; ++page) {
        dirtyRects.AddBox(area, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
        Present();
    }
}

void TableView::DrawTable(int dealAnimation) {
    game.MarkTableDrawn();
    game.Rules().MarkMovableCards();
    Surface* target = dirtyRects.GetTarget();
    for (int r = 0; r < COLUMN_ROWS; ++r) {
        for (int c = 0; c < COLUMNS; ++c) {
            const CardSlot& slot = board.columns[c][r];
            if (slot.card == NO_CARD)
                continue;
            if (r > 0 && shadow) {
                shadow->SetPosition(slot.x - kShadowLeft, slot.y + kShadowDown);
                shadow->Draw(target);
            }
            DrawCard(slot, target);
            if (dealAnimation) {
                ShowDealtCard(slot, kShadowLeft);
                PauseFor(kDealPause);
                PlayEffect("carddown");
            }
        }
    }
    // Free cells, then foundations: no shadows, and a foundation card is never highlighted.
    auto drawUnshadowed = [&](const CardSlot& slot) {
        DrawCard(slot, target);
        if (!dealAnimation)
            return;
        ShowDealtCard(slot, 0);
        PlayEffect("carddown");
        PauseFor(kDealPause);
    };
    for (const CardSlot& cell : board.freeCells)
        if (cell.card != NO_CARD)
            drawUnshadowed(cell);
    for (CardSlot foundation : board.foundations) {
        foundation.movable = 0;
        if (foundation.card != NO_CARD)
            drawUnshadowed(foundation);
    }
    DrawCrowns();
}

void TableView::FlyCard(const CardSlot& from, const CardSlot& to) {
    Surface* picture = board.CardImage(to.card);
    Surface* back = dirtyRects.BackSurface();
    int deadline = GetTicks() + kFlightStepPause;
    const float stepX = static_cast<float>(to.x - from.x) / kFlightSteps;
    const float stepY = static_cast<float>(to.y - from.y) / kFlightSteps;
    float fx = static_cast<float>(from.x), fy = static_cast<float>(from.y);
    for (int step = 0; step < kFlightSteps; ++step) {
        fx += stepX;
        fy += stepY;
        const SurfaceRect area{static_cast<int>(fx), static_cast<int>(fy),
                               static_cast<int>(static_cast<float>(from.width) + fx),
                               static_cast<int>(static_cast<float>(from.height) + fy)};
        PauseUntil(deadline);
        deadline = GetTicks() + kFlightStepPause;
        BltSurface(picture, back, area.left, area.top);
        dirtyRects.AddBox(area, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
        DrawFloatingScores(back);
        Present();
    }
    PlayEffect("carddown");
    BltSurface(picture, dirtyRects.GetTarget(), to.x, to.y);
    Present();
    Present();
    RedrawTable(0);
}

void TableView::AddFloatingScore(int foundationSlot, int chainStep) {
    const CardSlot* foundation = board.SlotRecord(foundationSlot);
    if (!foundation || !floatingPoints)
        return;
    auto score = std::make_unique<FloatingScore>(*floatingPoints);
    score->SetCurrent(chainStep);
    score->SetPosition(foundation->x, foundation->y + kFloatingDrop);
    score->expiresAt = GetTicks() + kFloatingLife;
    floatingScores.push_back(std::move(score));
}

void TableView::DrawFloatingScores(Surface* surface) {
    for (auto it = floatingScores.begin(); it != floatingScores.end();) {
        if (TicksSince((*it)->expiresAt) < 1) {
            (*it)->Draw(surface);
            ++it;
        } else {
            it = floatingScores.erase(it);
        }
    }
}

void TableView::DrawCrowns() {
    if (!crowns)
        return;
    for (const CardSlot& foundation : board.foundations) {
        if (foundation.card == NO_CARD || CardRank(foundation.card) != RANK_KING)
            continue;
        crowns->SetPosition(foundation.x, foundation.y);
        crowns->SetCurrent(CardSuit(foundation.card));
        crowns->DrawOnScreen();
    }
}

void TableView::ForgetPanels() {
    clockShown = panelShown = false;
}

void TableView::DrawClock() {
    if (!clockBar || (clockShown && GetCountdown() == shownCount))
        return;
    clockShown = true;
    shownCount = GetCountdown();
    clockBar->SetCount(shownCount);
    clockBar->Draw(dirtyRects.GetTarget(), kClockX, kClockY);
}

void TableView::DrawScorePanel() {
    const int best = game.HighScores().TopScore();
    if (panelShown && best == shownBest && game.GetScore() == shownScore)
        return;
    panelShown = true;
    shownBest = best;
    shownScore = game.GetScore();
    dirtyRects.AddRect(kPanelX, kPanelY, kPanelW, kPanelH);
    char text[16];
    std::snprintf(text, sizeof text, "%d", best);
    DrawNumber(scoreDigits.get(), kScoreRight, kBestScoreY, text, dirtyRects.GetTarget());
    std::snprintf(text, sizeof text, "%d", shownScore);
    DrawNumber(scoreDigits.get(), kScoreRight, kScoreY, text, dirtyRects.GetTarget());
}

void TableView::DrawNumber(Sprite* font, int right, int y, const char* text, Surface* surface) {
    if (!font || !text)
        return;
    const int digitWidth = font->width;
    int length = 0;
    while (text[length])
        ++length;
    int pen = right - length * digitWidth;
    for (const char* c = text; *c; ++c, pen += digitWidth) {
        if (*c < '0' || *c > '9')
            continue;
        font->SetCurrent(*c - '0');
        font->SetPosition(pen, y);
        font->Draw(surface);
    }
}

void TableView::TableChanged() {
    RedrawTable(0);
}

void TableView::CardFlown(const CardSlot& from, const CardSlot& to) {
    FlyCard(from, to);
}

void TableView::PointsChanged() {
    DrawClock();
    DrawScorePanel();
}

void TableView::FoundationScored(int foundationSlot, int chainStep) {
    AddFloatingScore(foundationSlot, chainStep);
    DrawFloatingScores(dirtyRects.BackSurface());
    PlayEffect(chainStep == 0 ? "pos1" : "pos3");
    Present();
    PauseFor(kPlacementPause);
}

void TableView::Refused() {
    PlayEffect("negative");
}

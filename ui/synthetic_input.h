// Input made by a program instead of a player: the screenshot camera and the window's
// tests move the pointer and click through SDL's own event queue, so the window sees
// exactly what a real mouse would give it.
#pragma once

#include "ui/app.h"

namespace kelvorn::ui {

// Moves the pointer to (x, y) of the window and lets it settle for `settleMs`; Dear ImGui
// reads the pointer's place from the system, so the pointer really moves.
void pointAt(App& app, int x, int y, int settleMs);
// Points at (x, y), then presses and releases the left button, letting each settle.
void clickAt(App& app, int x, int y, int settleMs);

}  // namespace kelvorn::ui

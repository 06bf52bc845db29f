#pragma once
// The state cache of the toolkit's buttons: every visual state is rendered once, side by side,
// over a copy of the background beneath the control; a state change then only copies another
// slice and never re-renders.

#include <functional>

#include "tessel/core/mcontrol.h"

namespace DUI {

using StateRenderer = std::function<void(Graphics& g, int state, const CRect& slot)>;

void DrawStates(MControl& control, HDC& frame, int states, int current,
                const StateRenderer& render);

// The pointer cursors controls switch between.
void UseHandCursor();
void UseArrowCursor();

}  // namespace DUI

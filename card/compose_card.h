#pragma once
#include "canvas/card_canvas.h"
#include "card/card_inputs.h"
#include "platform/tick_counter.h"

namespace card {

// Draws the whole card from scratch: background, name line, signature, day
// counts, coloured tags and the avatar. Reports nothing; an avatar that cannot
// be read or decoded is simply not drawn.
void ComposeCard(canvas::CardCanvas& canvas, CardInputSource& inputs,
                 platform::TickCounter& ticks);

}  // namespace card

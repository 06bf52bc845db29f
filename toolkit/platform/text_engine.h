#pragma once
// One font map and one layout context for the whole process, behind one re-entrant lock: Pango
// objects are not safe to share between threads, and text is laid out from the window thread,
// the device worker and the timer thread alike.

#include <pango/pangocairo.h>

#include <mutex>

namespace DUI::detail {

std::recursive_mutex& TextLock();
// Both valid while TextLock() is held.
PangoFontMap* TextFontMap();
PangoContext* TextContext();
// Called after a private font was added so that later layouts see it.
void TextFontsChanged();

}  // namespace DUI::detail

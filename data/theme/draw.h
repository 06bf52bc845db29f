// Small drawing vocabulary shared by the picture makers: rounded shapes aligned to the pixel
// grid, gradients, and text in a font file loaded by path (not looked up through fontconfig, so
// the same build machine always gives the same pixels).
#pragma once

#include <cairo.h>

#include <functional>
#include <map>
#include <string>

#include "catalog.h"
#include "palette.h"

namespace pellora::theme {

// Draws frame `frame` of a strip into (0, 0, w, h); the strip cuts and clips the frames.
using FrameDrawer = std::function<void(cairo_t* cr, int frame, int w, int h)>;
using Registry = std::map<std::string, FrameDrawer>;

void AddPanelPictures(Registry& registry);
void AddControlPictures(Registry& registry);
void AddIconPictures(Registry& registry);
void AddMousePictures(Registry& registry);
void AddExtraPictures(Registry& registry);
void DrawProgramIcon(cairo_t* cr, int size);
void DrawScrollPicture(cairo_t* cr, const ScrollPicture& picture);

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void FillRounded(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c,
                 double alpha = 1.0);
// A border of `width` pixels lying inside the rectangle.
void StrokeRounded(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c,
                   double width = 1.0, double alpha = 1.0);
void FillRoundedGradient(cairo_t* cr, double x, double y, double w, double h, double r, Rgb top,
                         Rgb bottom, double alpha = 1.0);
void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c, double width,
          double alpha = 1.0);
Rgb Mix(Rgb a, Rgb b, double t);

// The four looks of a push button (normal, hover, pressed, disabled).
struct ButtonLook {
    Rgb top, bottom, border, glyph;
};
ButtonLook SolidButtonLook(int state);
ButtonLook GhostButtonLook(int state);

// Text in the bundled Open Sans faces; returns false when the font file is missing.
bool SetFontFiles(const std::string& semibold, const std::string& bold);
void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, double size, Rgb c,
              bool bold, double tracking = 0.0);
double TextWidth(cairo_t* cr, const std::string& text, double size, bool bold,
                 double tracking = 0.0);
void ReleaseFonts();

}  // namespace pellora::theme

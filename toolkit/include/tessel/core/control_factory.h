#pragma once
// The class-name tables of the two factories. Each control class adds its own row from the file
// that defines it (TESSEL_REGISTER_CONTROL), saying which factories accept the name and how the
// constructor is called; the factories then only look names up. Names compare exactly.

#include <functional>
#include <string>
#include <vector>

#include "tessel/platform/types.h"

namespace DUI {

class MControl;
class MObject;

using ControlCreator = MControl* (*)(MObject* parent, unsigned id, CRect rect, const wchar_t* title,
                                     int visible, int enabled);

enum FactoryTable : unsigned {
    kWindowFactory = 1,     // PaintManager::CreateControl (dialogs, menus, pop-ups)
    kContainerFactory = 2,  // MPanel::CreateControl
};

// Adds (or replaces) a row. tables is a mask of FactoryTable values.
bool RegisterControlClass(const wchar_t* name, unsigned tables, ControlCreator creator);
// Null for an empty or unknown name, or a name the given table does not accept.
ControlCreator FindControlClass(const wchar_t* name, FactoryTable table);
std::vector<std::wstring> RegisteredControlClasses(FactoryTable table);

}  // namespace DUI

// In the .cpp of a control class: TESSEL_REGISTER_CONTROL(CImageButton, L"CImageButton",
// DUI::kWindowFactory | DUI::kContainerFactory, new CImageButton(p, id, r, t, v, e))
// The expression may use p (parent), id, r (rect), t (title), v (visible), e (enabled).
#define TESSEL_REGISTER_CONTROL(tag, name, tables, expr)                                \
    namespace {                                                                         \
    ::DUI::MControl* TesselCreate_##tag(::DUI::MObject* p, unsigned id, ::DUI::CRect r, \
                                        const wchar_t* t, int v, int e) {               \
        (void)t;                                                                        \
        (void)v;                                                                        \
        (void)e;                                                                        \
        return expr;                                                                    \
    }                                                                                   \
    const bool kTesselRegistered_##tag =                                                \
        ::DUI::RegisterControlClass(name, tables, TesselCreate_##tag);                  \
    }

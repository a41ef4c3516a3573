// Message boxes in the framework's manner: a text, a button set and an icon
// given as flags, the pressed button returned as IDOK, IDYES, ... Tests
// install a hook that answers instead of a modal box.
#pragma once

#include <functional>

#include <QString>

namespace app {

// Button sets.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
// Icons.
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;

// Shows a modal message box titled with the application name and returns
// the id of the pressed button (IDOK, IDCANCEL, IDYES, IDNO). Escape gives
// IDCANCEL, or IDOK/IDNO where there is no Cancel button.
int ShowMessage(const QString& text, unsigned type = MB_OK | MB_ICONEXCLAMATION);

// Replaces every message box by a call of hook (text, type) -> button id;
// an empty function restores the real boxes.
using MessageBoxHook = std::function<int(const QString& text, unsigned type)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace app

#pragma once
// ShowMessageDialog: the one window through which every message reaches the
// user. Built in code and sized to its text; Arial text, our own icons,
// Portuguese button captions, an optional "Ver mais..." block of details.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "entry-win32/form.h"

namespace voske::win32 {

enum class ButtonRole { None, Default, Cancel };

// One entry of the fixed button table; bit i of a button set selects entry i.
struct MessageButtonEntry {
  const wchar_t* caption;  // "&" marks the accelerator
  int result;              // modal result
  ButtonRole role;
  int glyph;               // the icon kind drawn beside the caption (0: none)
};
const std::array<MessageButtonEntry, 11>& MessageButtonTable();

inline constexpr unsigned kButtonOk = 1u << 2;
inline constexpr unsigned kButtonsYesNo = (1u << 0) | (1u << 1);
inline constexpr int kResultYes = 6;
inline constexpr int kMessageMaxChars = 1000;

// Where everything goes, in the screen's pixels, from the icon size, the
// measured text size, the number of buttons and the large switch; `scale`
// turns the layout's 96-dpi lengths into the screen's. Kept apart from the
// window so that the arithmetic can be checked on its own.
struct MessageGeometry {
  RECT icon;
  RECT text;
  std::vector<RECT> buttons;
  int clientWidth = 0;
  int clientHeight = 0;
};
MessageGeometry ComputeMessageGeometry(SIZE icon, SIZE text, int buttonCount, bool large, int (*scale)(int));

// A button of the row below the dialog's own buttons, at the left of "Ver
// mais..." (for example "Salvar avisos..."): pressed, it acts with the
// dialog open, which stays open.
struct MessageRowButton {
  std::wstring caption;
  std::function<void(HWND dialog)> pressed;
};

// Beeps, shows the dialog modally over the window in front and returns the
// result of the button that closed it. Line breaks in `text` are CR.
int ShowMessageDialog(const std::wstring& text, int iconKind, unsigned buttons, const std::wstring& caption,
                      int defaultButton = 0, bool large = false, const std::vector<std::wstring>* details = nullptr,
                      const MessageRowButton* rowButton = nullptr);

}  // namespace voske::win32

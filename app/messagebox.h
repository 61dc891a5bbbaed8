// Message boxes placed where the program puts them, which the toolkit's own box cannot be.
#pragma once
#include <wx/dialog.h>

// A box with the text in centred lines and an OK button, with no parent window; centred on the
// screen, or with its top-left corner at (x, y) when both are given (not -1).
class PlacedMessageBox : public wxDialog {
  public:
    PlacedMessageBox(const wxString& text, const wxString& caption, int x, int y);
};

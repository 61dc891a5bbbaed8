#include "app/messagebox.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

PlacedMessageBox::PlacedMessageBox(const wxString& text, const wxString& caption, int x, int y)
    : wxDialog(nullptr, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxDIALOG_NO_PARENT) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    // Text as the toolkit's own boxes take it: "&" stands for itself, not for a key.
    wxString shown = text;
    shown.Replace("&", "&&");
    column->Add(new wxStaticText(this, wxID_ANY, shown, wxDefaultPosition, wxDefaultSize,
                                 wxALIGN_CENTRE_HORIZONTAL),
                0, wxALL | wxALIGN_CENTRE_HORIZONTAL, 16);
    column->Add(CreateButtonSizer(wxOK), 0, wxBOTTOM | wxALIGN_CENTRE_HORIZONTAL, 12);
    SetSizerAndFit(column);
    SetEscapeId(wxID_OK);
    if (x == -1 && y == -1)
        CentreOnScreen();
    else
        Move(x, y);
}

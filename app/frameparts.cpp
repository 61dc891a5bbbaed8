// The main window's parts: its menu bar, its buttons, the status panel and the world canvas.
#include "app/canvas.h"
#include "app/commandtable.h"
#include "app/ids.h"
#include "app/language.h"
#include "app/pindle.h"
#include "app/settings.h"
#include "app/status.h"
#include "app/wxui.h"
#include "app/zoom.h"

wxMenuBar* MyFrame::mainMenuBar() {
    program_menu = menuOf(Place::PROGRAM);
    world_menu = menuOf(Place::WORLD);
    run_delay_menu = menuOf(Place::DELAY);
    run_delay_menu->Check(ID_DELAY_FAST, true);
    run_menu = menuOf(Place::RUN, run_delay_menu);
    wxMenu* languages = menuOf(Place::LANGUAGE);
    languages->Check(languageItem(savedLanguage()), true);
    help_menu = menuOf(Place::HELP, languages);
    menu_bar = new wxMenuBar;
    menu_bar->Append(program_menu, _("&Program"));
    menu_bar->Append(world_menu, _("&World"));
    menu_bar->Append(run_menu, _("&Run"));
    menu_bar->Append(menuOf(Place::TASKS), _("&Tasks"));
    menu_bar->Append(help_menu, _("&Help"));
    return menu_bar;
}

void MyFrame::createButtons() {
    for (int i = 0; i < BUTTONS; ++i) {
        // Two rows of columns; exact fit: the toolkit's padding is left out, so the label has
        // the whole button.
        wxButton* b = new wxButton(panel, wxID_ANY, buttonLabel(i), wxPoint(i / 2 * 50, i % 2 * 25),
                                   wxSize(50, 25), wxBU_EXACTFIT);
        b->SetFont(*buttonFont);
        b->SetToolTip(fromText(buttonTip(i).c_str()));
        b->Bind(wxEVT_BUTTON, [b](wxCommandEvent& e) { button_proc(*b, e); });
        pn_button[i] = b;
    }
    for (long i = 0; i < BUTTONS; ++i)
        pn_button[i]->SetClientData(reinterpret_cast<void*>(i + 1));
}

void MyFrame::buildParts() {
    SetIcon(*pn_icon[0]);
    SetMenuBar(mainMenuBar());
    panel = new wxPanel(this, wxID_ANY, wxPoint(0, 0), wxSize(PANEL_WIDTH, PANEL_HEIGHT), 0,
                        "ControlPanel");
    panel->SetFont(*labelFont);
    createButtons();
    status_window =
        new wxWindow(this, wxID_ANY, wxPoint(PANEL_WIDTH, 0),
                     wxSize(STATUS_FIRST_WIDTH, PANEL_HEIGHT), wxSIMPLE_BORDER, "Registers");
    status_window->SetBackgroundColour(*wxWHITE);
    showStatusIn(status_window);
    CreateStatusBar(1); // the window's state; fitWindowToWorld sizes the window around it
    int w, h;
    GetClientSize(&w, &h);
    canvas = new MyCanvas(this, 0, zoomed(PANEL_HEIGHT), w, h - zoomed(PANEL_HEIGHT), 0);
    fitWindowToWorld();
    SetMinSize(wxSize(100, 100)); // the least any configured size is brought to
    SetAcceleratorTable(menusAccel());
}

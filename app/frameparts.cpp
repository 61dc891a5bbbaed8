// The main window's parts: its menu bar, its buttons, the status panel and the world canvas.
#include "app/ids.h"
#include "app/pindle.h"
#include "view/canvas.h"
#include "view/status.h"
#include "view/zoom.h"

wxMenuBar* MyFrame::mainMenuBar() {
    program_menu = new wxMenu;
    program_menu->Append(ID_EDIT_PROGRAM, "&Edit .pnd file\tCtrl-E", "Edit current program");
    program_menu->Append(ID_LOAD_PROGRAM, "&Load .pnd file\tCtrl-L", "Load program from file");
    world_menu = new wxMenu;
    world_menu->Append(ID_EDIT_WORLD, "&Edit .sit file\t", "Edit world");
    world_menu->Append(ID_LOAD_WORLD, "&Load .sit file\t", "Load world");
    world_menu->Append(ID_LOAD_GOAL, "Load &goal...", "Load the goal the world should reach");
    world_menu->Append(ID_CLEAR_GOAL, "&Clear goal", "Show no goal");
    world_menu->Append(ID_SAVE_PICTURE, "Save &picture...", "Save the world picture as PNG");
    world_menu->AppendSeparator();
    world_menu->AppendCheckItem(ID_EDIT_BY_MOUSE, "Edit world by &mouse",
                                "Draw walls, things and the robot with the mouse");
    world_menu->Append(ID_SAVE_WORLD, "&Save world", "Save the world as it stands");
    world_menu->Append(ID_SAVE_WORLD_AS, "Save world &as...", "Save the world under a new name");
    world_menu->AppendSeparator();
    world_menu->Append(ID_RESET_WORLD, "&Reset world\t", "Reset world");
    world_menu->AppendSeparator();
    world_menu->Append(ID_ZOOM_IN, "Zoom &in\tCtrl-+", "Show the world larger");
    world_menu->Append(ID_ZOOM_OUT, "Zoom &out\tCtrl--", "Show the world smaller");
    world_menu->Append(ID_ZOOM_ACTUAL, "&Actual size\tCtrl-0", "Show the world at its own size");
    run_menu = new wxMenu;
    run_menu->Append(ID_RUN, "&Run\tCtrl-R", "Run a Pindle program");
    run_menu->Append(ID_STEP, "&Step\tS", "Execute one instruction");
    run_menu->Append(ID_CHECK, "&Check", "Check a Pindle program");
    run_menu->Append(ID_CONTINUE, "&Continue\tF5", "Run on from where the program stopped");
    run_menu->Append(ID_STEP_BACK, "Step &back", "Undo the last step or action (key b)");
    run_menu->Append(ID_RECORD_ANIMATION, "Record &animation...",
                     "Record the next run as an animated GIF");
    run_delay_menu = new wxMenu;
    run_delay_menu->AppendCheckItem(ID_DELAY_SLOW, "&Slow", "Slow");
    run_delay_menu->Check(ID_DELAY_SLOW, false);
    run_delay_menu->AppendCheckItem(ID_DELAY_MEDIUM, "&Medium", "Medium");
    run_delay_menu->Check(ID_DELAY_MEDIUM, false);
    run_delay_menu->AppendCheckItem(ID_DELAY_FAST, "&Fast", "Fast");
    run_delay_menu->Check(ID_DELAY_FAST, true);
    run_menu->Append(ID_DELAY_MENU, "&Delay", run_delay_menu, "Specify Pindle's delay");
    run_menu->Append(ID_STOP, "&Stop\tEsc", "Stop the running program");
    help_menu = new wxMenu;
    help_menu->Append(ID_ABOUT, "&About", "About Pindle");
    help_menu->Append(ID_KEYPRESS_HELP, "&Keypress instructions", "Pindle's keypress instructions");
    help_menu->Append(ID_LANGUAGE_HELP, "&Programming language", "Syntax of Pindle's language");
    menu_bar = new wxMenuBar;
    menu_bar->Append(program_menu, "&Program");
    menu_bar->Append(world_menu, "&World");
    menu_bar->Append(run_menu, "&Run");
    menu_bar->Append(help_menu, "&Help");
    return menu_bar;
}

// The label of button i: the robot's actions with a key, then the commands.
static const char* buttonLabel(int i) {
    static const char* const commands[] = {"run", "step", "reset", "define"};
    const Instruction* action = keyedAction(i);
    return action ? action->word : commands[i - KEYED_ACTIONS];
}

void MyFrame::createButtons() {
    for (int i = 0; i < BUTTONS; ++i) {
        // Two rows of columns; exact fit: the toolkit's padding is left out, so the label has
        // the whole button.
        wxButton* b = new wxButton(panel, wxID_ANY, buttonLabel(i), wxPoint(i / 2 * 50, i % 2 * 25),
                                   wxSize(50, 25), wxBU_EXACTFIT);
        b->SetFont(*buttonFont);
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

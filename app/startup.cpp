// Start-up: the configuration, the shared drawing resources, and the windows.
#include "app/canvas.h"
#include "app/commandtable.h"
#include "app/config.h"
#include "app/coursework.h"
#include "app/desktopkeys.h"
#include "app/editor.h"
#include "app/goals.h"
#include "app/ids.h"
#include "app/language.h"
#include "app/pindle.h"
#include "app/settings.h"
#include "app/status.h"
#include "app/worldview.h"
#include "app/wxui.h"
#include "app/zoom.h"
#include "lang/runstate.h"
#include "view/icons.h"
#include "world/history.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

MyFrame* frame = nullptr;
MyEditor* subframe = nullptr;
wxMenuBar* menu_bar = nullptr;
wxMenu *program_menu, *world_menu, *run_menu, *run_delay_menu, *help_menu;
wxMenuBar* menu_bar2 = nullptr;
wxMenu *file_menu, *edit_help_menu;
wxButton* pn_button[BUTTONS];
wxPen *black_pen, *black_pen2, *red_pen;
wxFont *itemFont, *labelFont, *textWindowFont, *buttonFont, *ttyFont, *thingFont;
wxIcon* pn_icon[5];
wxBitmap* worldBitmap = nullptr;
wxBitmap* statusBitmap = nullptr;

static std::string examples; // the bundled examples' folder

std::string examplesFolder() {
    return examples;
}

// The bundled examples: installed beside the program, or in the source tree it was built from.
static void findDefaultFiles() {
    static std::string world, program;
    wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
    wxString installed = exe.GetPath() + "/../share/pindle/examples";
    wxString folder =
        wxFileName::DirExists(installed) ? installed : wxString(PINDLE_SOURCE_EXAMPLES);
    wxFileName dir = wxFileName::DirName(folder);
    dir.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    examples = toText(dir.GetPath());
    world = examples + "/mountain.sit";
    program = examples + "/mountain.pnd";
    // Names must fit the program's 80-character file names; a deeper folder keeps the defaults.
    if (world.size() < 80 && program.size() < 80) {
        w_f = &world[0];
        p_f = &program[0];
    }
}

// Brings the font down from its own size, in half points, until every text fits the box.
static void fitTexts(wxFont& font, const std::vector<wxString>& texts, wxSize box) {
    wxBitmap scratch(1, 1);
    wxMemoryDC dc(scratch);
    for (double size = font.GetFractionalPointSize(); size > 6; size -= 0.5) {
        font.SetFractionalPointSize(size);
        dc.SetFont(font);
        bool fit = std::all_of(texts.begin(), texts.end(), [&](const wxString& text) {
            wxSize extent = dc.GetTextExtent(text);
            return extent.x <= box.x && extent.y <= box.y;
        });
        if (fit) return;
    }
}

static void createTools() {
    black_pen = new wxPen(wxColour("BLACK"), 1, wxPENSTYLE_SOLID);
    black_pen2 = new wxPen(wxColour("BLACK"), 5, wxPENSTYLE_SOLID);
    red_pen = new wxPen(wxColour("RED"), 5, wxPENSTYLE_SOLID);
    itemFont = new wxFont(11, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);
    labelFont = new wxFont(12, wxFONTFAMILY_ROMAN, wxFONTSTYLE_ITALIC, wxFONTWEIGHT_BOLD);
    textWindowFont = new wxFont(14, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
    buttonFont = new wxFont(14, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);
    ttyFont = new wxFont(14, wxFONTFAMILY_TELETYPE, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
    thingFont = new wxFont(14, wxFONTFAMILY_TELETYPE, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);
    // Every label whole inside its 50 x 25 button, less the button's own border.
    std::vector<wxString> labels;
    for (int i = 0; i < BUTTONS; ++i)
        labels.push_back(buttonLabel(i));
    fitTexts(*buttonFont, labels, wxSize(46, 21));
    // Each status line within its 15 pixels, and the longest within the panel's 200, less
    // its border and the lines' indent of 5.
    fitTexts(*ttyFont, {"b1='W' -> WORLD", "Next:" + wxString('W', 22)}, wxSize(192, 15));
    for (int i = 0; i < 5; ++i)
        pn_icon[i] = new wxIcon(iconImage(i));
}

// Where the editor's edge goes along one axis: beside the main window, brought back so that the
// whole editor (size pixels) stays on a display of extent pixels.
static int editorPlace(int wanted, int extent, int size = 400) {
    return wanted + size > extent ? std::max(0, extent - size - 10) : wanted;
}

MyFrame* startUp(int argc, char** argv) {
    findDefaultFiles();
    chooseConfig(argc, argv);
    b1 = '\0';
    b2 = '\0';
    createTools();
    takeF10FromTheMenuBar();
    setWorldZoom(savedZoom());
    wxRect display = wxDisplay(0u).GetGeometry();
    frame =
        // A configured place or size the window system can take: absurd values are brought in.
        new MyFrame(nullptr, mainTitle, std::clamp(k_x, -10000, 10000),
                    std::clamp(k_y, -10000, 10000), std::clamp(k_w, 100, 10000),
                    std::clamp(k_h, 100, 10000));
    wxPoint at = frame->GetPosition();
    subframe =
        new MyEditor(frame, _("Pindle's World Editor"), editorPlace(at.x + 410, display.width),
                     editorPlace(at.y + 90, display.height, 480), 400, 480,
                     wxCAPTION | wxRESIZE_BORDER, "editor");
    subframe->Show(false);
    subframe->SetMenuBar(editorMenuBar());
    subframe->text_window = new ProgramText(subframe);
    subframe->debugger = std::make_unique<Debugger>(*subframe);
    subframe->text_window->useFont(*textWindowFont);
    subframe->CreateStatusBar(2); // the instructions in progress, and the caret's place
    subframe->SetStatusWidths(2, std::array<int, 2>{-1, 150}.data());
    keepHistory(true);
    keepCtrlHInText(subframe->text_window);
    frame->Show(true);
    setFileName(worldFile, w_f);
    setFileName(progFile, p_f);
    // The pictures come first: the world's first drawing goes into its kept picture.
    zoomChanged();
    statusZoomChanged();
    if (LoadWorldFile(worldFile)) loadGoalBeside(worldFile);
    if (argc < 2) reopenLastCourse(); // files named on the command line win
    return frame;
}

int MyApp::rawArgc = 0;
char** MyApp::rawArgv = nullptr;

void MyApp::keepCommandLine(int argc, char** argv) {
    rawArgc = argc;
    rawArgv = argv;
}

bool MyApp::OnInit() {
    startLanguage(savedLanguage());
    static WxUI windowUI;
    setUI(&windowUI);
    setRobot(&worldRobot);
    if (rawArgv)
        startUp(rawArgc, rawArgv);
    else
        startUp(argc, argv);
    return true;
}

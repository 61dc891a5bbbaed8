#include "app/editor.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "app/commandtable.h"
#include "app/helptext.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/wxui.h"
#include "io/system.h"
#include "io/textfile.h"
#include "lang/filenames.h"
#include "lang/outside.h"
#include "lang/runstate.h"
#include "world/situation.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <wx/utils.h>

char editFileName[80];
static KeptFileName keptEdited(editFileName, "new");
bool editFileIsProgram = true;
bool editorRaised = false;

static const char* const programFilter = N_("Pindle programs (*.pnd) |*.pnd");
static const char* const worldFilter = N_("World files (*.sit)|*.sit");

static const char* const helpText = N_(
    "Pindle's World Editor has a few simple commands:\nNew (Ctrl-N) sets up a new file in "
    "editor\nOpen (Ctrl-O) opens a file on disk\nSave (Ctrl-S) saves contents into currently "
    "named file\nSave as (Ctrl-A) saves into a file that you name\nPrint (Ctrl-P) attempts to "
    "print file in editor through DOS\nWindow notepad (Ctrl-W) loads file into Windows "
    "notepad\n  (If Print doesn't work, try printing through notepad)\nQuit (Ctrl-Q) closes "
    "this editor (but not the program)\nWindows clipboard copy, cut and paste work the usual "
    "way\nHighlight text with the mouse, then:\n  Ctrl-Ins copies highlighted text to Windows "
    "clipboard\n  Shift-Ins paste text from Windows clipboard at cursor\n  Shift-Del cuts "
    "highlighted text & copies to Windows clipboard\nNOTE: pressing the 'run' button "
    "automatically saves the file\n  If it's a .pnd program file, 'run' also re-parses the file");

wxBEGIN_EVENT_TABLE(MyEditor, wxFrame) EVT_MENU(wxID_ANY, MyEditor::onMenu)
    EVT_ACTIVATE(MyEditor::OnActivate) wxEND_EVENT_TABLE()

        MyEditor::MyEditor(wxFrame* parent, const wxString& title, int x, int y, int width,
                           int height, long style, const wxString& name)
    : wxFrame(parent, wxID_ANY, title, wxPoint(x, y), wxSize(width, height), style, name),
      text_window(nullptr) {}

void MyEditor::OnActivate(wxActivateEvent& event) {
    event.Skip();
}

void MyEditor::onMenu(wxCommandEvent& event) {
    OnMenuCommand(event.GetId());
}

wxMenuBar* editorMenuBar() {
    file_menu = menuOf(Place::EDITOR_FILE);
    edit_help_menu = menuOf(Place::EDITOR_HELP);
    menu_bar2 = new wxMenuBar;
    menu_bar2->Append(file_menu, _("&File"));
    menu_bar2->Append(menuOf(Place::EDITOR_EDIT), _("&Edit"));
    menu_bar2->Append(menuOf(Place::EDITOR_RUN), _("&Run"));
    menu_bar2->Append(edit_help_menu, _("&Help"));
    return menu_bar2;
}

void keepCtrlHInText(wxWindow* text) {
    // The help item shows Ctrl-H in its label, but the key belongs to the text: taken here,
    // it never reaches the menu.
    text->Bind(wxEVT_CHAR, [](wxKeyEvent& event) {
        int key = event.GetKeyCode();
        bool ctrlH = event.ControlDown() && (key == 'h' || key == 'H' || key == WXK_CONTROL_H);
        if (!ctrlH) event.Skip();
    });
}

static bool contains(const std::string& name, const char* part) {
    return name.find(part) != std::string::npos;
}

// The largest file the editor takes: far beyond any program or world a student writes.
static constexpr size_t editorLimit = 16 * 1024 * 1024;

// Reads a whole regular file, byte for byte. A file too large for the editor is refused with
// a box; other failures are the caller's to tell.
static WholeFile readText(const char* name, std::string& bytes) {
    WholeFile result = readWholeFile(name, editorLimit, bytes);
    if (result == WholeFile::TOO_LARGE)
        dialogs().messageBox(tr("This file is too large for the editor (more than 16 MB)"), name);
    return result;
}

// Writes the bytes to name without ever damaging it; when a write in place failed, a box
// names the file that keeps the old text.
static bool writeText(const std::string& name, const std::string& bytes) {
    SaveOutcome outcome = saveFileSafely(name.c_str(), bytes);
    if (!outcome.saved && !outcome.keptOld.empty()) {
        std::string kept = formatText(tr("The old text of %s is kept in %s"), name.c_str(),
                                      outcome.keptOld.c_str());
        dialogs().messageBox(kept.c_str(), tr("File Error"));
    }
    return outcome.saved;
}

// A world's name, by its extension; other names are taken as the kind of text being edited.
static bool isProgramName(const std::string& name) {
    if (contains(name, ".sit") || contains(name, ".SIT")) return false;
    return contains(name, ".pnd") || contains(name, ".PND") || editFileIsProgram;
}

static void loadIntoEditor(const std::string& bytes, const char* name) {
    subframe->text_window->loadBytes(bytes, isProgramName(name));
}

static void setEditorTitle(const char* name) {
    subframe->SetTitle(_("Pindle's Editor: ") + fromText(name));
}

void EditPindleFile(const char* name) {
    if (!subframe) return;
    // Changed text is replaced only once the user has saved or discarded it.
    if (name && keepEditsSafe()) {
        std::string text;
        WholeFile read = readText(name, text);
        if (read == WholeFile::READ) loadIntoEditor(text, name);
        subframe->SetAcceleratorTable(menusAccel());
        // A file too large to show keeps the editor on its own file, so that no save can
        // write the previous text over it. A missing file is taken as a new one of that name.
        if (read != WholeFile::TOO_LARGE) {
            setEditorTitle(name);
            setFileName(editFileName, name);
        }
    }
    subframe->Show(true);
    subframe->SetFocus();
    subframe->Raise();
    editorRaised = true;
}

bool keepEditsSafe() {
    if (!subframe || !subframe->text_window->IsModified()) return true;
    std::string text =
        std::strcmp(editFileName, "new") == 0
            ? tr("The text of the new file has been changed. Save it first?")
            : formatText(tr("The text of %s has been changed. Save it first?"), editFileName);
    switch (dialogs().askYesNoCancel(text.c_str(), tr("Pindle's World Editor"))) {
    case Dialogs::YES: return savefile(editFileName);
    case Dialogs::NO: return true;
    default: return false;
    }
}

static std::string withExtension(std::string name) {
    if (editFileIsProgram && !contains(name, ".pnd") && !contains(name, ".PND")) name += ".pnd";
    if (!editFileIsProgram && !contains(name, ".sit") && !contains(name, ".SIT")) name += ".sit";
    return name;
}

bool savefile(const char* name) {
    if (!subframe) return false;
    std::string chosen = (name && std::strcmp(name, "new") != 0) ? name : "";
    for (;;) {
        if (chosen.empty() &&
            !dialogs().chooseSaveFile(tr("Save file"),
                                      tr(editFileIsProgram ? programFilter : worldFilter),
                                      editFileName, chosen))
            return false;
        chosen = withExtension(chosen);
        char fitted[80];
        bool fits = takeFileName(fitted, chosen.c_str());
        if (fits && writeText(fitted, subframe->text_window->bytes())) {
            chosen = fitted;
            break;
        }
        if (fits)
            dialogs().messageBox(tr("Cannot save file--try saving on drive A: or C:"),
                                 tr("File Error"));
        chosen.clear();
    }
    subframe->text_window->DiscardEdits();
    setFileName(editFileName, chosen.c_str());
    if (contains(chosen, ".PND") || contains(chosen, ".pnd")) {
        setFileName(progFile, chosen.c_str());
        editFileIsProgram = true;
    } else if (contains(chosen, ".SIT") || contains(chosen, ".sit")) {
        setFileName(worldFile, chosen.c_str());
        editFileIsProgram = false;
    }
    subframe->text_window->setProgram(editFileIsProgram);
    return true;
}

void MyEditor::newFile() {
    if (!keepEditsSafe()) return;
    std::strcpy(editFileName, "new");
    SetTitle(_("Pindle's Editor: new file"));
    text_window->loadBytes("", editFileIsProgram);
}

void MyEditor::openFile() {
    if (!keepEditsSafe()) return;
    const char* filter = editFileIsProgram
                             ? tr("Pindle programs (*.pnd) |*.pnd|World files (*.sit)|*.sit|"
                                  "All files (*.*)|*.*")
                             : tr("World files (*.sit)|*.sit|Pindle programs (*.pnd) |*.pnd|"
                                  "All files (*.*)|*.*");
    std::string name;
    if (!dialogs().chooseFile(tr("Open file"), filter, editFileName, name)) return;
    std::string text;
    char fitted[80];
    if (!takeFileName(fitted, name.c_str())) return;
    name = fitted;
    WholeFile read = readText(name.c_str(), text);
    if (read == WholeFile::CANNOT_READ)
        dialogs().messageBox(tr("Cannot open file for some reason"), tr("File Error"));
    if (read != WholeFile::READ) return;
    loadIntoEditor(text, name.c_str());
    setEditorTitle(name.c_str());
    setFileName(editFileName, name.c_str());
    if (contains(name, ".pnd")) {
        setFileName(progFile, name.c_str());
        editFileIsProgram = true;
    } else if (contains(name, ".sit")) {
        setFileName(worldFile, name.c_str());
        editFileIsProgram = false;
    }
}

// The first program of the list found on the command path, or an empty string.
static std::string findProgram(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? program : "";
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + program;
        if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

// Starts program with the editor's file name as its one argument, without a shell and
// without waiting; a program that cannot be found or started is reported.
void MyEditor::startProgram(const char* failure, const char* program) {
    std::string found = findProgram(program);
    if (!found.empty()) {
        wxString file = fromText(editFileName);
        wxString prog = fromText(found.c_str());
        const wchar_t* argv[] = {prog.wc_str(), file.wc_str(), nullptr};
        if (wxExecute(argv, wxEXEC_ASYNC) != 0) return;
    }
    dialogs().messageBox(formatText(tr(failure), program).c_str(), tr("File Error"));
}

// The desktop's text editor: $VISUAL, else the desktop's default program for the file.
static const char* desktopEditor() {
    const char* visual = std::getenv("VISUAL");
    return (visual && *visual) ? visual : "xdg-open";
}

// A run command given in the editor: carried out by the main window, after which the editor
// keeps the keys, so that the student types on where the run was started.
void MyEditor::runFromEditor(int id) {
    if (!frame || !frame->doCommand(id)) return;
    if (!IsShown()) return;
    Raise();
    text_window->SetFocus();
}

void MyEditor::OnMenuCommand(int id) {
    switch (id) {
    case ID_EDIT_NEW: newFile(); break;
    case ID_EDIT_OPEN: openFile(); break;
    case ID_EDIT_SAVE:
        if (savefile(editFileName)) setEditorTitle(editFileName);
        break;
    case ID_EDIT_SAVE_AS:
        if (savefile(nullptr)) setEditorTitle(editFileName);
        break;
    case ID_EDIT_PRINT: startProgram(N_("Cannot start %s to print the file"), "lpr"); break;
    case ID_EDIT_NOTEPAD:
        startProgram(N_("Cannot start %s to edit the file"), desktopEditor());
        break;
    case ID_EDIT_QUIT:
        Show(false);
        if (frame) frame->Raise();
        break;
    case ID_EDIT_HELP: dialogs().messageBox(tr(helpText), tr("Pindle's World Editor help")); break;
    case ID_UNDO: text_window->Undo(); break;
    case ID_REDO: text_window->Redo(); break;
    case ID_CUT: text_window->Cut(); break;
    case ID_COPY: text_window->Copy(); break;
    case ID_PASTE: text_window->Paste(); break;
    case ID_SELECT_ALL: text_window->SelectAll(); break;
    case ID_FIND: text_window->openFind(); break;
    case ID_FIND_NEXT: text_window->findAgain(true); break;
    case ID_FIND_PREVIOUS: text_window->findAgain(false); break;
    case ID_KEYS_HELP:
    case ID_EXAMPLES_HELP: showBothWindowsHelp(id); break;
    case ID_TOGGLE_BREAKPOINT: text_window->toggleBreakpoint(text_window->GetCurrentLine()); break;
    case ID_RUN:
    case ID_STEP:
    case ID_CONTINUE:
    case ID_STOP:
    case ID_STEP_BACK: runFromEditor(id); break;
    case ID_ZOOM_IN: text_window->ZoomIn(); break;
    case ID_ZOOM_OUT: text_window->ZoomOut(); break;
    case ID_ZOOM_ACTUAL: text_window->SetZoom(0); break;
    default: break;
    }
}

#include "app/wxui.h"

#include "app/debugger.h"
#include "app/editor.h"
#include "app/messagebox.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/status.h"
#include "app/windowstate.h"
#include "app/worldview.h"
#include "lang/hints.h"
#include "lang/interp.h"

#include <algorithm>
#include <cstring>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/textdlg.h>

wxString fromText(const char* text) {
    wxString s = wxString::FromUTF8(text);
    if (s.empty() && text[0] != '\0') s = wxString::From8BitData(text);
    return s;
}

std::string toText(const wxString& text) {
    return std::string(text.utf8_str());
}

void WxUI::messageBox(const char* text, const char* caption, int x, int y) {
    PlacedMessageBox box(fromText(text), fromText(caption), x, y);
    box.ShowModal();
}

void WxUI::showText(const char* text, const char* caption) {
    wxDialog dialog(nullptr, wxID_ANY, fromText(caption), wxDefaultPosition, wxDefaultSize,
                    wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* view = new wxTextCtrl(&dialog, wxID_ANY, fromText(text), wxDefaultPosition,
                                wxSize(560, 440), wxTE_MULTILINE | wxTE_READONLY);
    view->SetFont(wxFontInfo().Family(wxFONTFAMILY_TELETYPE));
    view->SetInsertionPoint(0); // the text is read from its start
    view->ShowPosition(0);
    sizer->Add(view, 1, wxEXPAND | wxALL, 8);
    sizer->Add(dialog.CreateButtonSizer(wxOK), 0, wxEXPAND | wxALL, 8);
    dialog.SetSizerAndFit(sizer);
    dialog.ShowModal();
}

bool WxUI::askText(const char* prompt, const char* title, std::string& answer) {
    wxTextEntryDialog dialog(nullptr, fromText(prompt), fromText(title), wxEmptyString,
                             wxOK | wxCANCEL | wxCENTRE);
    if (dialog.ShowModal() != wxID_OK) return false;
    answer = toText(dialog.GetValue());
    return true;
}

static Dialogs::Answer ask(const char* text, const char* caption, const wxString& first,
                           const wxString& second) {
    wxMessageDialog dialog(nullptr, fromText(text), fromText(caption),
                           wxYES_NO | wxCANCEL | wxCENTRE);
    dialog.SetYesNoCancelLabels(first, second, _("Cancel"));
    switch (dialog.ShowModal()) {
    case wxID_YES: return Dialogs::YES;
    case wxID_NO: return Dialogs::NO;
    default: return Dialogs::CANCEL;
    }
}

Dialogs::Answer WxUI::askYesNoCancel(const char* text, const char* caption) {
    return ask(text, caption, _("&Save"), _("&Discard"));
}

Dialogs::Answer WxUI::askEitherOr(const char* text, const char* caption, const char* first,
                                  const char* second) {
    return ask(text, caption, fromText(first), fromText(second));
}

// The folder of the current file, where the selectors start.
static wxString folderOf(const char* current) {
    wxFileName name(fromText(current));
    name.MakeAbsolute();
    return name.GetPath();
}

static bool select(const char* message, const char* wildcard, const char* current, int flags,
                   std::string& path) {
    wxString chosen = wxFileSelector(fromText(message), folderOf(current), wxEmptyString,
                                     wxEmptyString, fromText(wildcard), flags, nullptr);
    if (chosen.empty()) return false;
    path = toText(chosen);
    return true;
}

bool WxUI::chooseFile(const char* message, const char* wildcard, const char* current,
                      std::string& path) {
    return select(message, wildcard, current, wxFD_OPEN, path);
}

bool WxUI::chooseSaveFile(const char* message, const char* wildcard, const char* current,
                          std::string& path) {
    return select(message, wildcard, current, wxFD_SAVE | wxFD_OVERWRITE_PROMPT, path);
}

bool WxUI::chooseFolder(const char* message, const char* current, std::string& path) {
    wxString chosen = wxDirSelector(fromText(message), fromText(current), wxDD_DIR_MUST_EXIST);
    if (chosen.empty()) return false;
    path = toText(chosen);
    return true;
}

void WxUI::redrawWorld() {
    reDraw();
}
void WxUI::recordingChanged() {
    if (!frame) return;
    frame->showRecording();
    showWindowState();
}
void WxUI::updateStatus() {
    update_status();
    if (Debugger* d = debugger()) d->nextInstructionChanged();
}
void WxUI::clearWorld() {
    clearBlockedSide();
    clearCanvas();
    forgetRunNotes(); // they told of another world
}
void WxUI::drawEmptyWorld() {
    ::drawEmptyWorld();
}
void WxUI::drawWall(int x1, int y1, int x2, int y2) {
    ::drawWall(x1, y1, x2, y2);
}
void WxUI::drawThing(int x, int y, const char* word) {
    ::drawThing(x, y, word);
}
void WxUI::drawRobot() {
    ::drawRobot();
}

int WxUI::showProgramFile(const char* file) {
    EditPindleFile(file);
    return subframe ? subframe->text_window->GetNumberOfLines() : 0;
}

void WxUI::showFault(int from, int column, int line, int viewLine) {
    if (!subframe) return;
    subframe->Show(true);
    // The view line counts from 0, the fault's line from 1.
    subframe->text_window->markFault(from, column, line, viewLine + 1 - line);
}

void WxUI::programCompiled(const char* file) {
    if (Debugger* d = debugger()) d->programCompiled(file);
}

void WxUI::programFault(const char* file, int line, int column, const char* message,
                        const char* token) {
    if (!subframe || std::strcmp(file, editFileName) != 0) return;
    ProgramText* text = subframe->text_window;
    text->showHint(faultHint({message, token, line, column}, text->GetCharacterPointer(),
                             static_cast<size_t>(text->GetLength())));
}

void WxUI::actionRefused(int heading) {
    // Only a program's step marks where it stopped, not a key or a button.
    const char* code = executingInstruction();
    Debugger* d = debugger();
    if (code && d) d->showCrash(code, heading);
}

bool WxUI::stopsBefore(const char* code) {
    Debugger* d = debugger();
    return d && d->breakpointAt(code);
}

void WxUI::waitDelay(int ms) {
    waitHandlingEvents(ms);
}
void WxUI::betweenSteps() {
    handleEventsNow(false);
}
void WxUI::robotStopped(RobotStop why) {
    noteRobotStop(why);
}
void WxUI::runEnded(bool atBreakpoint) {
    noteRunEnd(atBreakpoint);
}

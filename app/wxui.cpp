#include "app/wxui.h"

#include "app/debugger.h"
#include "app/editor.h"
#include "app/messagebox.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/windowstate.h"
#include "view/status.h"
#include "view/worldview.h"

#include <algorithm>
#include <cstring>
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

bool WxUI::askText(const char* prompt, const char* title, std::string& answer) {
    wxTextEntryDialog dialog(nullptr, fromText(prompt), fromText(title), wxEmptyString,
                             wxOK | wxCANCEL | wxCENTRE);
    if (dialog.ShowModal() != wxID_OK) return false;
    answer = toText(dialog.GetValue());
    return true;
}

Dialogs::Answer WxUI::askYesNoCancel(const char* text, const char* caption) {
    wxMessageDialog dialog(nullptr, fromText(text), fromText(caption),
                           wxYES_NO | wxCANCEL | wxCENTRE);
    dialog.SetYesNoCancelLabels("&Save", "&Discard", "Cancel");
    switch (dialog.ShowModal()) {
    case wxID_YES: return YES;
    case wxID_NO: return NO;
    default: return CANCEL;
    }
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

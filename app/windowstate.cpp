#include "app/windowstate.h"

#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/worldedit.h"
#include "app/wxui.h"
#include "lang/interp.h"
#include "world/robot.h"

#include <wx/filename.h>

namespace {

bool robotStopped = false;
RobotStop robotStop = RobotStop::BLOCKED;
wxString note; // how the last run ended, or what was last saved

wxString runEndText(bool atBreakpoint) {
    if (stopRequested()) return _("Stopped by Esc.");
    if (robotStopped)
        return robotStop == RobotStop::BLOCKED ? _("Stopped: the way was blocked.")
                                               : _("Stopped by a pause.");
    if (programFinished()) return _("Finished.");
    if (atBreakpoint) return _("Stopped at a breakpoint (F5 continues)");
    return _("Stopped.");
}

wxString stateText() {
    if (running) return _("Running (Esc stops)");
    if (worldEditing()) return _("Editing the world with the mouse");
    if (macroName[0] != '\0') return _("Recording a new instruction (d ends it)");
    return note;
}

} // namespace

void showWindowState() {
    if (frame && frame->GetStatusBar()) frame->SetStatusText(stateText());
}

void noteRobotStop(RobotStop why) {
    if (!running) return;
    robotStopped = true;
    robotStop = why;
}

void noteRunEnd(bool atBreakpoint) {
    note = runEndText(atBreakpoint);
    robotStopped = false;
}

void noteSaved(const char* file, std::size_t bytes, long frames) {
    wxString size = wxFileName::GetHumanReadableSize(wxULongLong(bytes), "0 B", 1, wxSIZE_CONV_SI);
    wxString name = wxFileName(fromText(file)).GetFullName();
    wxString saved = frames >= 0
                         ? wxString::Format(_("Saved %s (%ld frames, %s)"), name, frames, size)
                         : wxString::Format(_("Saved %s (%s)"), name, size);
    // An animation is saved as its run ends: it follows the run's note.
    note = frames >= 0 && !note.empty() ? note + " " + saved : saved;
    showWindowState();
}

void noteLanguageChosen() {
    note = _("The new language is spoken from the next start.");
    showWindowState();
}

void forgetRunNotes() {
    note.clear();
    robotStopped = false;
    showWindowState();
}

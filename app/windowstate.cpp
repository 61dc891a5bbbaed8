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
    if (stopRequested()) return "Stopped by Esc.";
    if (robotStopped)
        return robotStop == RobotStop::BLOCKED ? "Stopped: the way was blocked."
                                               : "Stopped by a pause.";
    if (programFinished()) return "Finished.";
    if (atBreakpoint) return "Stopped at a breakpoint (F5 continues)";
    return "Stopped.";
}

wxString stateText() {
    if (running) return "Running (Esc stops)";
    if (worldEditing()) return "Editing the world with the mouse";
    if (macroName[0] != '\0') return "Recording a new instruction (d ends it)";
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
    wxString saved = "Saved " + wxFileName(fromText(file)).GetFullName() + " (";
    if (frames >= 0) saved += wxString::Format("%ld frames, ", frames);
    saved += wxFileName::GetHumanReadableSize(wxULongLong(bytes), "0 B", 1, wxSIZE_CONV_SI) + ")";
    // An animation is saved as its run ends: it follows the run's note.
    note = frames >= 0 && !note.empty() ? note + " " + saved : saved;
    showWindowState();
}

void forgetRunNotes() {
    note.clear();
    robotStopped = false;
    showWindowState();
}

// The window tests' main: starts the toolkit and the program once, then runs the tests.
#include "app/language.h"
#include "app/pindle.h"
#include "app/settings.h"
#include "lang/outside.h"
#include "tests/gui/gui_harness.h"
#include "world/robot.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/modalhook.h>

namespace {
// Any real modal dialog would block the tests: fail the test and cancel the dialog.
class NoModalDialogs : public wxModalDialogHook {
  protected:
    int Enter(wxDialog* dialog) override {
        ADD_FAILURE() << "unexpected modal dialog: " << dialog->GetTitle().utf8_str();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};
} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Settings such as the zoom are this run's own, never the user's.
    char settings[] = "/tmp/pgui-settings-XXXXXX";
    if (!mkdtemp(settings)) return 2;
    setenv("XDG_CONFIG_HOME", settings, 1);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) return 2;
    wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE() << "wx assertion " << cond.utf8_str() << " " << msg.utf8_str() << " at "
                      << file.utf8_str() << ":" << line;
    });
    NoModalDialogs hook;
    hook.Register();
    startLanguage(savedLanguage());
    setUI(&scripted());
    setRobot(&worldRobot);
    char* noArgs[] = {argv[0], nullptr};
    startUp(1, noArgs);
    wxTheApp->SetTopWindow(frame);
    int result = RUN_ALL_TESTS();
    hook.Unregister();
    frame->Destroy();
    wxEntryCleanup();
    wxFileName::Rmdir(settings, wxPATH_RMDIR_RECURSIVE);
    return result;
}

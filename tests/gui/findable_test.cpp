// Every command can be found and given from where the student is: the editor's Run and Edit
// menus, the run keys in both windows, the buttons' tips and the list of keys.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "tests/gui/gui_harness.h"
#include "world/world.h"

#include <wx/fdrepdlg.h>
#include <wx/uiaction.h>

namespace {

class FindableTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        restart(tempDir + "/w.sit",
                writeFile("p.pnd", "define main as {\n  move\n  move\n  move\n}\n"));
        frame->OnMenuCommand(ID_EDIT_PROGRAM);
        pump(100);
    }
    static ProgramText& text() { return *subframe->text_window; }
    static void key(int code, int modifiers = wxMOD_NONE) {
        wxUIActionSimulator().Char(code, modifiers);
        pump(100);
    }
};

TEST_F(FindableTest, RunKeysWorkInTheEditorAndF9F10InTheWorldToo) {
    subframe->Raise();
    text().SetFocus();
    pump(300);
    ASSERT_TRUE(subframe->IsActive());
    int y = icon_y;
    key(WXK_F10); // into main
    key(WXK_F10);
    EXPECT_EQ(icon_y, y - 30) << "F10 in the editor steps";
    subframe->Raise();
    text().SetFocus();
    pump(300);
    text().GotoLine(2);
    key(WXK_F9);
    EXPECT_EQ(text().breakpointLines(), std::vector<int>{2});
    key('r', wxMOD_CONTROL);
    EXPECT_EQ(icon_y, y - 60) << "the run stops before the breakpoint's line";

    frame->Raise();
    frame->canvas->SetFocus();
    pump(100);
    key(WXK_F9);
    EXPECT_TRUE(text().breakpointLines().empty()) << "F9 on the world clears it";
    key(WXK_F10);
    EXPECT_EQ(icon_y, y - 90);
}

TEST_F(FindableTest, EditMenuSelectsFindsDownAndTheHelpListsEveryKey) {
    subframe->OnMenuCommand(ID_SELECT_ALL);
    EXPECT_EQ(text().GetSelectedText(), text().GetText());
    subframe->OnMenuCommand(ID_FIND);
    wxFindReplaceDialog* find = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<wxFindReplaceDialog*>(w)) find = f;
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->GetData()->GetFlags() & wxFR_DOWN);
    find->Close();

    frame->OnMenuCommand(ID_KEYS_HELP);
    ASSERT_EQ(scripted().boxes.size(), 1u);
    const std::string& keys = scripted().boxes[0].text;
    for (const char* k : {"  m  Move one corner forward", "  b  Undo", "F5", "F9", "F10", "Esc",
                          "Ctrl-E", "Ctrl-+", "Ctrl-Z"})
        EXPECT_NE(keys.find(k), std::string::npos) << k;
}

TEST_F(FindableTest, EveryButtonTellsWhatItDoesAndItsKey) {
    const char* tips[] = {"Move one corner forward (key m)",
                          "Turn left (key l)",
                          "Read the thing on the corner into b1 (key r)",
                          "Write b1 onto the corner (key w)",
                          "Copy b2 into b1 (key 1)",
                          "Copy b1 into b2 (key 2)",
                          "Run the program (Ctrl-R)",
                          "Execute one instruction of the program (key s)",
                          "Load the world and the program anew",
                          "Start or end recording keys as a new instruction (key d)"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(pn_button[i]->GetToolTipText(), tips[i]);
}

} // namespace

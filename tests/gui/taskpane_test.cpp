// A course in the window: the Tasks menu, the task pane, a task's check and its tick.
#include "app/coursework.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/settings.h"
#include "app/taskpane.h"
#include "lang/runstate.h"
#include "tests/gui/gui_harness.h"
#include "world/goal.h"
#include "world/situation.h"

#include <cstdlib>
#include <filesystem>
#include <wx/choice.h>
#include <wx/html/htmlwin.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

namespace {

class TaskPaneTest : public GuiTest {
  protected:
    std::string work; // the first task's work file
    void SetUp() override {
        GuiTest::SetUp();
        // A data folder deep enough that the work file's path does not fit 80 characters.
        std::string data = tempDir + "/data/" + std::string(60, 'd');
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        work = data + "/pindle/work/course/01-first-steps.pnd";
        frame->OnMenuCommand(ID_BUNDLED_COURSE);
    }
    void TearDown() override {
        taskPane().Hide();
        unsetenv("XDG_DATA_HOME");
        GuiTest::TearDown();
    }
    // The first task's solution as the student's program, then a check.
    void checkWith(const std::string& program) {
        std::filesystem::copy_file(program, work,
                                   std::filesystem::copy_options::overwrite_existing);
        scripted().boxes.clear();
        frame->OnMenuCommand(ID_CHECK_TASK);
    }
};

// The user picks item k of a list or a choice.
void choose(wxControlWithItems* list, wxEventType type, int k) {
    list->SetSelection(k);
    wxCommandEvent event(type, list->GetId());
    event.SetInt(k);
    event.SetEventObject(list);
    list->ProcessWindowEvent(event);
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(TaskPaneTest, PindlesCourseOpensAtItsFirstTaskWithItsWorldAndAWorkFile) {
    wxMenu* tasks = menu_bar->GetMenu(menu_bar->FindMenu("Tasks"));
    EXPECT_EQ(tasks->FindItem(ID_OPEN_COURSE)->GetItemLabel(), "Open &course...");
    EXPECT_EQ(tasks->FindItem(ID_BUNDLED_COURSE)->GetItemLabel(), "Pindle's &course");
    EXPECT_EQ(tasks->FindItem(ID_NEXT_TASK)->GetItemLabel(), "&Next task");
    EXPECT_EQ(tasks->FindItem(ID_PREVIOUS_TASK)->GetItemLabel(), "&Previous task");
    EXPECT_EQ(tasks->FindItem(ID_CHECK_TASK)->GetItemLabel(), "Chec&k task\tCtrl-K");

    TaskPane& pane = taskPane();
    EXPECT_TRUE(pane.IsShown());
    EXPECT_EQ(pane.title->GetLabel(), "Pindle's Course");
    EXPECT_EQ(pane.tasks->GetCount(), 24u);
    EXPECT_EQ(pane.tasks->GetSelection(), 0);
    EXPECT_NE(pane.words->ToText().Find("First steps"), wxNOT_FOUND);
    EXPECT_TRUE(endsWith(worldFile, "01-first-steps/world1.sit"));
    EXPECT_TRUE(taskGoal.loaded);
    EXPECT_EQ(fileText(work), fileText(examplesFolder() + "/course/01-first-steps/start.pnd"));
    EXPECT_STREQ(progFile, "01-first-steps.pnd"); // its folder became the working folder

    frame->OnMenuCommand(ID_NEXT_TASK);
    EXPECT_EQ(pane.tasks->GetSelection(), 1);
    EXPECT_TRUE(endsWith(worldFile, "02-turn-left/world1.sit"));
    std::string folder, task;
    ASSERT_TRUE(savedCourse(folder, task));
    EXPECT_EQ(task, "02-turn-left");
    frame->OnMenuCommand(ID_PREVIOUS_TASK);
    EXPECT_EQ(pane.tasks->GetSelection(), 0);

    choose(pane.tasks, wxEVT_LISTBOX, 2);
    EXPECT_TRUE(endsWith(worldFile, "03-turn-right/world1.sit"));
    choose(pane.worlds, wxEVT_CHOICE, 1);
    EXPECT_TRUE(endsWith(worldFile, "03-turn-right/world2.sit"));
    EXPECT_EQ(pane.worlds->GetSelection(), 1);
    EXPECT_TRUE(taskGoal.loaded);
    EXPECT_TRUE(scripted().boxes.empty());

    // The next start opens the task kept; a course that is gone is told once and forgotten.
    saveCourse(folder, "05-to-the-wall");
    reopenLastCourse();
    EXPECT_EQ(pane.tasks->GetSelection(), 4);
    saveCourse(tempDir + "/gone", "");
    reopenLastCourse();
    EXPECT_EQ(scripted().boxes.size(), 1u);
    EXPECT_FALSE(savedCourse(folder, task));
}

TEST_F(TaskPaneTest, ACheckSaysSolvedAndTicksTheTaskOrNamesTheWorldThatFailed) {
    checkWith(examplesFolder() + "/course/01-first-steps/start.pnd");
    ASSERT_EQ(scripted().boxes.size(), 1u);
    EXPECT_EQ(scripted().boxes[0].caption, "Goal not reached");
    EXPECT_EQ(scripted().boxes[0].text.rfind("world1.sit, world 1 of 3:\nNot yet:\n", 0), 0u)
        << scripted().boxes[0].text;
    EXPECT_TRUE(endsWith(worldFile, "world1.sit"));
    EXPECT_FALSE(taskPane().tasks->GetString(0).StartsWith(L"\u2713"));

    checkWith(writeFile("fault.pnd", "define main as { mvoe }\n"));
    EXPECT_EQ(scripted().boxes.size(), 1u); // the fault's own box, and no verdict
    EXPECT_NE(scripted().boxes[0].caption, "Goal not reached");

    checkWith(examplesFolder() + "/course-solutions/01-first-steps.pnd");
    EXPECT_EQ(scripted().boxLines(),
              std::vector<std::string>{"Task solved|Solved: all 3 worlds reach their goal."});
    EXPECT_TRUE(endsWith(worldFile, "world3.sit"));
    EXPECT_TRUE(taskPane().tasks->GetString(0).StartsWith(L"\u2713 "));
    EXPECT_FALSE(taskPane().tasks->GetString(1).StartsWith(L"\u2713"));
}

TEST_F(TaskPaneTest, OnlyWebLinksOpen) {
    wxString page = taskPane().words->ToText();
    taskPane().words->OnLinkClicked(wxHtmlLinkInfo("javascript:alert(1)"));
    EXPECT_EQ(taskPane().words->ToText(), page);
    EXPECT_FALSE(followLink("javascript:alert(1)"));
    EXPECT_FALSE(followLink("file:///etc/passwd"));
}

} // namespace

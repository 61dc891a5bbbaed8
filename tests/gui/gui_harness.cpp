#include "tests/gui/gui_harness.h"

#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "lang/interp.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <wx/dcmemory.h>
#include <wx/uiaction.h>

void ScriptedWxUI::messageBox(const char* text, const char* caption, int x, int y) {
    boxes.push_back({text, caption, x, y});
    if (afterBox) afterBox();
}

bool ScriptedWxUI::askText(const char* prompt, const char* title, std::string& answer) {
    asked.push_back(std::string("text ") + title + "|" + prompt);
    if (answers.empty()) return false;
    answer = answers.front();
    answers.pop_front();
    return answer != "\x18";
}

static bool nextFile(std::deque<std::string>& queue, std::string& path) {
    if (queue.empty()) return false;
    path = queue.front();
    queue.pop_front();
    return !path.empty();
}

// A file selector's filter is pairs of a description and a pattern, each ended by a bar but
// the last: the toolkit stops on any other.
static void checkWildcard(const std::string& wildcard) {
    size_t bars = std::count(wildcard.begin(), wildcard.end(), '|');
    if (bars % 2 == 0 || wildcard.back() == '|')
        ADD_FAILURE() << "malformed file filter: " << wildcard;
}

bool ScriptedWxUI::chooseFile(const char* message, const char* wildcard, const char*,
                              std::string& path) {
    checkWildcard(wildcard);
    asked.push_back(std::string("open ") + message + "|" + wildcard);
    return nextFile(files, path);
}

bool ScriptedWxUI::chooseSaveFile(const char* message, const char* wildcard, const char*,
                                  std::string& path) {
    checkWildcard(wildcard);
    asked.push_back(std::string("save ") + message + "|" + wildcard);
    return nextFile(saveFiles, path);
}

bool ScriptedWxUI::chooseFolder(const char* message, const char*, std::string& path) {
    asked.push_back(std::string("folder ") + message);
    return nextFile(files, path);
}

Dialogs::Answer ScriptedWxUI::askYesNoCancel(const char* text, const char* caption) {
    asked.push_back(std::string("question ") + caption + "|" + text);
    if (questions.empty()) return CANCEL;
    Answer a = questions.front();
    questions.pop_front();
    return a;
}

Dialogs::Answer ScriptedWxUI::askEitherOr(const char* text, const char* caption, const char* first,
                                          const char* second) {
    asked.push_back(std::string("either ") + caption + "|" + text + "|" + first + "|" + second);
    if (questions.empty()) return CANCEL;
    Answer a = questions.front();
    questions.pop_front();
    return a;
}

std::vector<std::string> ScriptedWxUI::boxLines() const {
    std::vector<std::string> lines;
    for (const Box& b : boxes)
        lines.push_back(b.caption + "|" + b.text);
    return lines;
}

ScriptedWxUI& scripted() {
    static ScriptedWxUI ui;
    return ui;
}

bool sameColour(const wxColour& a, const wxColour& b) {
    return a.Red() == b.Red() && a.Green() == b.Green() && a.Blue() == b.Blue();
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

void press(int tag) {
    wxCommandEvent event(wxEVT_BUTTON, pn_button[tag - 1]->GetId());
    button_proc(*pn_button[tag - 1], event);
}

void setEditorText(const std::string& text) {
    subframe->text_window->ChangeValue(text);
}

void GuiTest::pump(int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    } while (std::chrono::steady_clock::now() < end);
}

void GuiTest::type(const std::string& keys) {
    wxUIActionSimulator sim;
    for (char c : keys) {
        sim.Char(c);
        pump(20);
    }
}

void GuiTest::ctrl(char key) {
    wxUIActionSimulator sim;
    sim.Char(key, wxMOD_CONTROL);
    pump(40);
}

wxImage GuiTest::worldImage() {
    return worldBitmap->ConvertToImage();
}
wxImage GuiTest::statusImage() {
    return statusBitmap->ConvertToImage();
}

wxColour GuiTest::pixel(const wxImage& image, int x, int y) {
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

int GuiTest::differingPixels(const wxImage& a, const wxImage& b) {
    int n = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            n += !sameColour(pixel(a, x, y), pixel(b, x, y));
    return n;
}

bool GuiTest::holds(const wxImage& image, const wxRect& box, const wxColour& colour) {
    for (int y = box.y; y <= box.GetBottom(); ++y)
        for (int x = box.x; x <= box.GetRight(); ++x)
            if (sameColour(pixel(image, x, y), colour)) return true;
    return false;
}

std::string GuiTest::writeFile(const std::string& name, const std::string& text) {
    std::string path = tempDir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void GuiTest::restart(const std::string& world, const std::string& program) {
    ScriptedWxUI& ui = scripted();
    // An editor shown just before is mapped by the window system later; the toolkit takes a
    // map that comes after the hide below for a show.
    pump(30);
    subframe->text_window->ChangeValue("");
    subframe->text_window->DiscardEdits();
    subframe->Show(false);
    editFileName[0] = '\0';
    editFileIsProgram = true;
    resetLanguage();
    macroName[0] = '\0';
    byteI = 0;
    firstRun = true;
    STOPPED = false;
    frame->OnMenuCommand(ID_DELAY_FAST);
    ASSERT_TRUE(setFileName(worldFile, world.c_str()));
    ASSERT_TRUE(setFileName(progFile, program.c_str()));
    LoadWorldFile(worldFile);
    frame->Raise();
    frame->canvas->SetFocus();
    pump(60);
    ui.boxes.clear();
    ui.asked.clear();
}

// The folder the tests started in: a long path chosen in a test moves the working folder.
static const std::string startFolder = std::filesystem::current_path().string();

void GuiTest::SetUp() {
    ScriptedWxUI& ui = scripted();
    ui.boxes.clear();
    ui.answers.clear();
    ui.files.clear();
    ui.saveFiles.clear();
    ui.questions.clear();
    ui.asked.clear();
    ui.afterBox = nullptr;
    char pattern[] = "/tmp/pgui-XXXXXX";
    tempDir = mkdtemp(pattern);
    std::string world = writeFile("w.sit", "wall 3,3 3,6\nthing 5,5 x\npindle 7,7\n");
    std::string program = writeFile("p.pnd", "define main as { move left }\n");
    restart(world, program);
}

void GuiTest::TearDown() {
    std::filesystem::current_path(startFolder);
    std::string cmd = "rm -rf '" + tempDir + "'";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "could not remove " << tempDir;
}

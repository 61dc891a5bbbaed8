// The window in the desktop's language: run under C, German and French, its menus, buttons,
// boxes and course speak that language, and a language chosen is kept for the next start.
#include "app/ids.h"
#include "app/pindle.h"
#include "app/settings.h"
#include "app/taskpane.h"
#include "io/textbuf.h"
#include "io/translate.h"
#include "tests/gui/gui_harness.h"

#include <cstdlib>
#include <cstring>
#include <wx/stattext.h>

namespace {

struct Spoken {
    const char* language;
    const char *programMenu, *editorFileMenu, *runButton, *blockedBox, *courseTitle;
};

const Spoken SPOKEN[] = {
    {"en", "&Program", "&File", "run", "Error|Path blocked", "Pindle's Course"},
    {"de", "&Programm", "&Datei", "start", "Fehler|Weg versperrt", "Pindles Kurs"},
    {"fr", "&Programme", "&Fichier", "lancer", "Erreur|Chemin bloqu\u00e9", "Le cours de Pindle"},
};

const Spoken& spoken() {
    for (const Spoken& s : SPOKEN)
        if (std::strcmp(s.language, userLanguage()) == 0) return s;
    ADD_FAILURE() << "no texts for " << userLanguage();
    return SPOKEN[0];
}

wxString utf8(const char* text) {
    return wxString::FromUTF8(text);
}

using LanguageTest = GuiTest;

TEST_F(LanguageTest, MenusButtonsAndBoxesSpeakTheDesktopsLanguage) {
    EXPECT_EQ(menu_bar->GetMenuLabel(0), utf8(spoken().programMenu));
    EXPECT_EQ(menu_bar2->GetMenuLabel(0), utf8(spoken().editorFileMenu));
    EXPECT_EQ(pn_button[KEYED_ACTIONS]->GetLabel(), utf8(spoken().runButton));
    EXPECT_EQ(pn_button[0]->GetLabel(), "move") << "the language's own words stay";
    EXPECT_EQ(formatText("%.1f", 0.5), "0.5") << "numbers in files as in English";

    restart(writeFile("w.sit", "wall 5,6 5,8\npindle 7,7\n"),
            writeFile("p.pnd", "define main as { move move }\n"));
    frame->OnMenuCommand(ID_CLEAR_GOAL);
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(scripted().boxLines(), std::vector<std::string>{spoken().blockedBox});
}

TEST_F(LanguageTest, TheCourseShowsItsWordsInTheWindowsLanguage) {
    setenv("XDG_DATA_HOME", (tempDir + "/data").c_str(), 1);
    frame->OnMenuCommand(ID_BUNDLED_COURSE);
    EXPECT_EQ(taskPane().title->GetLabel(), utf8(spoken().courseTitle));
    taskPane().Hide();
    unsetenv("XDG_DATA_HOME");
}

TEST_F(LanguageTest, ALanguageChosenIsKeptForTheNextStart) {
    frame->OnMenuCommand(ID_LANGUAGE_SYSTEM + 3);
    EXPECT_EQ(savedLanguage(), "fr");
    EXPECT_TRUE(help_menu->IsChecked(ID_LANGUAGE_SYSTEM + 3));
    EXPECT_EQ(menu_bar->GetMenuLabel(0), utf8(spoken().programMenu)) << "not before the next start";
    frame->OnMenuCommand(ID_LANGUAGE_SYSTEM);
    EXPECT_EQ(savedLanguage(), "");
}

} // namespace

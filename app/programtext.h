// The editor's text: a styled text control that keeps every byte of the file it shows, colours
// programs and worlds by the compiler's and the loader's own token rules, numbers its lines,
// and marks a program fault on its line.
#pragma once
#include <set>
#include <string>
#include <vector>
#include <wx/fdrepdlg.h>
#include <wx/stc/stc.h>

class ProgramText : public wxStyledTextCtrl {
  public:
    explicit ProgramText(wxWindow* parent);

    // Shows the bytes as they are, coloured as a program or as a world, with no undo history,
    // no marks and the text unchanged.
    void loadBytes(const std::string& bytes, bool program);
    // Shows the text in font, in the colours of its tokens.
    void useFont(const wxFont& font);
    // Colours the text as a program or as a world from now on.
    void setProgram(bool program);
    // The text's bytes, exactly as they are held.
    std::string bytes() const;

    // A fault at byte column of the reader's line (counted from 1), its token starting at byte
    // from: the caret at column, the token underlined, a marker on the line, and the view
    // scrolled so that the line viewAhead lines further on is in view too.
    void markFault(int from, int column, int line, int viewAhead);
    // Shows hint in plain words under the fault's line (nothing when empty); it goes with the
    // fault's marks.
    void showHint(const std::string& hint);
    // Takes away the fault's marks and its hint.
    void clearFault();
    // The editor line (from 0) marked with the fault; -1 when there is none.
    int faultLine() const;

    // Lights the instruction whose token starts at byte offset (an arrow on its line, brought
    // into view); clearNext takes the light away.
    void showNext(size_t offset);
    void clearNext();
    // The line (from 0) lit as the next instruction's; -1 when none is.
    int nextLine() const;
    // Marks the instruction whose token starts at byte offset as the one a run stopped on with a
    // box (its line and its token, in the colour of a stop); clearCrash takes the mark away.
    void markCrash(size_t offset);
    void clearCrash();
    // The line (from 0) marked as where a run stopped with a box; -1 when none is.
    int crashLine() const;
    // Sets or clears a breakpoint on the line (from 0).
    void toggleBreakpoint(int line);
    // The lines (from 0) that hold a breakpoint, in order.
    std::vector<int> breakpointLines() const;
    // Counts the changes of the text: a new count after every edit and every load.
    long changes() const { return changeCount; }
    // Counts the breakpoints set and cleared.
    long breakpointToggles() const { return toggleCount; }

    // Finds text after the selection (or before it, backwards), wrapping round the ends; the
    // found text is selected. False when the text holds it nowhere.
    bool findText(const wxString& text, int flags, bool forward = true);
    // Opens the Find dialog (searching down unless the user turns it).
    void openFind();
    // Finds the last text found again, after (or before) the selection; the Find dialog when
    // nothing was sought yet.
    void findAgain(bool forward);

  private:
    bool program = true;           // coloured as a program (or as a world)
    long changeCount = 0;          // edits and loads so far
    long toggleCount = 0;          // breakpoints set and cleared so far
    int faultHandle = -1;          // the fault marker's handle
    std::string faultText;         // the text of the fault's line when it was marked
    bool namesStale = true;        // the text changed since the defined names were found
    std::set<std::string> defined; // the names the program's defines give
    wxFindReplaceData findData;
    wxFindReplaceDialog* findDialog = nullptr;

    void setUpLooks();
    void onStyleNeeded(wxStyledTextEvent& event);
    void styleLines(int first, int last);
    bool refreshDefinedNames();
    std::string lineBytes(int line) const;
    void onModified(wxStyledTextEvent& event);
    void onChange(wxStyledTextEvent& event);
    void onCharAdded(wxStyledTextEvent& event);
    void onUpdateUI(wxStyledTextEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onMarginClick(wxStyledTextEvent& event);
    void onFind(wxFindDialogEvent& event);
};

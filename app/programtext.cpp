#include "app/programtext.h"

#include "lang/parser.h"
#include "lang/scanner.h"
#include "lang/tokens.h"
#include "world/worldtokens.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <wx/frame.h>

namespace {

// Styles: one for each token kind, in the kinds' order, then the calls of defined names.
constexpr int DEFINED_CALL = static_cast<int>(TokenKind::THING) + 1;

struct Look {
    wxColour colour;
    bool bold, italic;
};

// The colour of each style, on white.
const Look looks[] = {
    {wxColour(0, 0, 0), false, false},      // BLANK
    {wxColour(0, 0, 190), true, false},     // KEYWORD
    {wxColour(0, 120, 0), false, false},    // PRIMITIVE
    {wxColour(130, 0, 160), false, false},  // TEST
    {wxColour(0, 0, 0), false, false},      // NAME
    {wxColour(170, 50, 0), true, false},    // DEFINITION
    {wxColour(120, 120, 120), false, true}, // COMMENT
    {wxColour(140, 90, 0), true, false},    // BRACE
    {wxColour(210, 0, 0), false, false},    // BAD
    {wxColour(0, 120, 130), false, false},  // NUMBER
    {wxColour(200, 100, 0), true, false},   // THING
    {wxColour(170, 50, 0), false, false},   // DEFINED_CALL
};

constexpr int NUMBER_MARGIN = 0, MARK_MARGIN = 1;
constexpr int FAULT_MARKER = 0, BREAK_MARKER = 1, NEXT_MARKER = 2; // later ones drawn on top
constexpr int CRASH_MARKER = 3;                                    // a line background
constexpr int FAULT_INDICATOR = 8, NEXT_INDICATOR = 9;             // indicators left to containers
constexpr int CRASH_INDICATOR = 10;
constexpr int HINT_STYLE = 40; // a style of its own, after the token kinds' and the predefined
constexpr int SCI_SETREPRESENTATION = 2665;
// The modifications reported: insertions and deletions only, since each report carries a copy
// of the text changed (none while a file is put in).
constexpr int editEvents = wxSTC_MOD_INSERTTEXT | wxSTC_MOD_DELETETEXT;

bool isBrace(int c) {
    return c == '{' || c == '}' || c == '(' || c == ')';
}

} // namespace

ProgramText::ProgramText(wxWindow* parent) : wxStyledTextCtrl(parent, wxID_ANY) {
    findData.SetFlags(wxFR_DOWN);
    setUpLooks();
    Bind(wxEVT_STC_STYLENEEDED, &ProgramText::onStyleNeeded, this);
    Bind(wxEVT_STC_MODIFIED, &ProgramText::onModified, this);
    Bind(wxEVT_STC_CHANGE, &ProgramText::onChange, this);
    Bind(wxEVT_STC_CHARADDED, &ProgramText::onCharAdded, this);
    Bind(wxEVT_STC_UPDATEUI, &ProgramText::onUpdateUI, this);
    Bind(wxEVT_KEY_DOWN, &ProgramText::onKeyDown, this);
    Bind(wxEVT_STC_MARGINCLICK, &ProgramText::onMarginClick, this);
}

void ProgramText::setUpLooks() {
    SetCodePage(wxSTC_CP_UTF8);
    SetModEventMask(editEvents);
    SetLexer(wxSTC_LEX_CONTAINER);
    SetIdleStyling(wxSTC_IDLESTYLING_AFTERVISIBLE);
    SetViewEOL(false);
    SetCaretLineVisible(true);
    SetCaretLineBackground(wxColour(255, 250, 205));
    SetMarginType(NUMBER_MARGIN, wxSTC_MARGIN_NUMBER);
    SetMarginType(MARK_MARGIN, wxSTC_MARGIN_SYMBOL);
    SetMarginWidth(MARK_MARGIN, 16);
    MarkerDefine(FAULT_MARKER, wxSTC_MARK_SMALLRECT, wxColour(160, 0, 0), wxColour(230, 30, 30));
    MarkerDefine(NEXT_MARKER, wxSTC_MARK_SHORTARROW, wxColour(0, 110, 0), wxColour(60, 200, 60));
    MarkerDefine(BREAK_MARKER, wxSTC_MARK_CIRCLE, wxColour(150, 0, 0), wxColour(220, 0, 0));
    SetMarginSensitive(MARK_MARGIN, true);
    IndicatorSetStyle(NEXT_INDICATOR, wxSTC_INDIC_ROUNDBOX);
    IndicatorSetForeground(NEXT_INDICATOR, wxColour(0, 170, 0));
    IndicatorSetAlpha(NEXT_INDICATOR, 90);
    IndicatorSetUnder(NEXT_INDICATOR, true);
    IndicatorSetStyle(FAULT_INDICATOR, wxSTC_INDIC_SQUIGGLE);
    IndicatorSetForeground(FAULT_INDICATOR, wxColour(230, 0, 0));
    // Where a run stopped with a box: orange, apart from a fault's red.
    MarkerDefine(CRASH_MARKER, wxSTC_MARK_BACKGROUND, wxColour(255, 140, 0),
                 wxColour(255, 226, 190));
    IndicatorSetStyle(CRASH_INDICATOR, wxSTC_INDIC_STRAIGHTBOX);
    IndicatorSetForeground(CRASH_INDICATOR, wxColour(255, 140, 0));
    IndicatorSetAlpha(CRASH_INDICATOR, 120);
    IndicatorSetOutlineAlpha(CRASH_INDICATOR, 255);
    IndicatorSetUnder(CRASH_INDICATOR, true);
    AnnotationSetVisible(wxSTC_ANNOTATION_BOXED);
    CmdKeyAssign('Z', wxSTC_KEYMOD_CTRL | wxSTC_KEYMOD_SHIFT, wxSTC_CMD_REDO);
    // A byte that is not part of UTF-8 shows as the Latin-1 letter it would be, boxed.
    for (int byte = 0xA0; byte <= 0xFF; ++byte) {
        char key[2] = {static_cast<char>(byte), '\0'};
        wxCharBuffer shown = wxString(wxUniChar(byte)).utf8_str();
        SendMsg(SCI_SETREPRESENTATION, reinterpret_cast<wxUIntPtr>(key),
                reinterpret_cast<wxIntPtr>(shown.data()));
    }
}

void ProgramText::useFont(const wxFont& font) {
    StyleSetFont(wxSTC_STYLE_DEFAULT, const_cast<wxFont&>(font));
    StyleClearAll();
    for (int style = 0; style < static_cast<int>(sizeof looks / sizeof looks[0]); ++style) {
        StyleSetForeground(style, looks[style].colour);
        StyleSetBold(style, looks[style].bold);
        StyleSetItalic(style, looks[style].italic);
    }
    StyleSetBackground(static_cast<int>(TokenKind::BAD), wxColour(255, 215, 215));
    StyleSetBackground(wxSTC_STYLE_BRACELIGHT, wxColour(190, 240, 190));
    StyleSetBackground(wxSTC_STYLE_BRACEBAD, wxColour(255, 180, 180));
    StyleSetForeground(wxSTC_STYLE_LINENUMBER, wxColour(110, 110, 110));
    StyleSetBold(wxSTC_STYLE_LINENUMBER, false);
    StyleSetForeground(HINT_STYLE, wxColour(0, 70, 140));
    StyleSetBackground(HINT_STYLE, wxColour(232, 242, 255));
    StyleSetItalic(HINT_STYLE, true);
}

void ProgramText::setProgram(bool isProgram) {
    if (isProgram == program) return;
    program = isProgram;
    namesStale = true;
    ClearDocumentStyle();
    Colourise(0, -1);
}

void ProgramText::loadBytes(const std::string& text, bool isProgram) {
    clearFault();
    clearNext();
    EmptyUndoBuffer();
    // The same text put in again (a fault shown in the file being edited) keeps its
    // breakpoints and its place.
    if (isProgram == program && text == bytes()) {
        SetSavePoint();
        return;
    }
    clearCrash();
    MarkerDeleteAll(BREAK_MARKER);
    ++changeCount;
    program = isProgram;
    namesStale = true;
    SetModEventMask(0);
    ClearAll();
    AddTextRaw(text.data(), static_cast<int>(text.size()));
    SetModEventMask(editEvents);
    // New lines take the file's own line end.
    size_t end = text.find_first_of("\r\n");
    int mode = wxSTC_EOL_LF;
    if (end != std::string::npos && text[end] == '\r')
        mode = end + 1 < text.size() && text[end + 1] == '\n' ? wxSTC_EOL_CRLF : wxSTC_EOL_CR;
    SetEOLMode(mode);
    EmptyUndoBuffer();
    SetSavePoint();
    GotoPos(0);
    int digits = std::max(3, static_cast<int>(std::to_string(GetLineCount()).size()));
    SetMarginWidth(NUMBER_MARGIN, TextWidth(wxSTC_STYLE_LINENUMBER, wxString('9', digits + 1)));
}

std::string ProgramText::bytes() const {
    return std::string(GetCharacterPointer(), static_cast<size_t>(GetLength()));
}

bool ProgramText::refreshDefinedNames() {
    if (!namesStale) return false;
    namesStale = false;
    std::set<std::string> names =
        definedNames(GetCharacterPointer(), static_cast<size_t>(GetLength()));
    if (names == defined) return false;
    defined.swap(names);
    return true;
}

void ProgramText::onStyleNeeded(wxStyledTextEvent& event) {
    int first = LineFromPosition(GetEndStyled());
    // A name defined or no longer defined changes the colour of its calls everywhere.
    if (program && refreshDefinedNames()) first = 0;
    styleLines(first, LineFromPosition(event.GetPosition()));
}

void ProgramText::styleLines(int first, int last) {
    const char* text = GetCharacterPointer();
    int length = GetLength();
    std::vector<TokenSpan> spans;
    std::string styles; // one byte a character, set in one go
    int state = first > 0 ? GetLineState(first - 1) : 0;
    for (int line = first; line <= last; ++line) {
        int start = PositionFromLine(line);
        int end = line + 1 < GetLineCount() ? PositionFromLine(line + 1) : length;
        size_t size = static_cast<size_t>(end - start);
        if (program) {
            bool afterDefine = state != 0;
            programLine(text + start, size, afterDefine, spans);
            state = afterDefine;
        } else {
            worldLine(text + start, size, state, spans);
        }
        SetLineState(line, state);
        size_t lineStart = styles.size();
        styles.resize(lineStart + size, 0);
        for (const TokenSpan& s : spans) {
            char style = static_cast<char>(s.kind);
            if (s.kind == TokenKind::NAME &&
                defined.count(std::string(text + start + s.start, s.length)))
                style = DEFINED_CALL;
            styles.replace(lineStart + s.start, s.length, s.length, style);
        }
    }
    StartStyling(PositionFromLine(first));
    SetStyleBytes(static_cast<int>(styles.size()), &styles[0]);
}

// The bytes of the line (from 0) with its line end.
std::string ProgramText::lineBytes(int line) const {
    int start = PositionFromLine(line), end = PositionFromLine(line + 1);
    if (end < start) end = GetLength();
    return std::string(GetCharacterPointer() + start, static_cast<size_t>(end - start));
}

void ProgramText::onModified(wxStyledTextEvent& event) {
    event.Skip();
    // Only a change of a define, or of the line after one, can change the names defined.
    int at = event.GetPosition();
    int end = event.GetModificationType() & wxSTC_MOD_INSERTTEXT ? at + event.GetLength() : at;
    int from = PositionFromLine(std::max(0, LineFromPosition(at) - 1));
    int to = GetLineEndPosition(std::min(LineFromPosition(end) + 1, GetLineCount() - 1));
    const char* text = GetCharacterPointer();
    if (event.GetText().Contains(DEFINE) ||
        memmem(text + from, static_cast<size_t>(to - from), DEFINE, std::strlen(DEFINE)))
        namesStale = true;
}

void ProgramText::onChange(wxStyledTextEvent& event) {
    event.Skip();
    ++changeCount;
    clearNext(); // the light points at the compiled text
    clearCrash();
    // The fault's marks go when the text of its line changes.
    if (faultHandle < 0) return;
    int line = faultLine();
    if (line < 0 || lineBytes(line) != faultText) clearFault();
}

void ProgramText::onCharAdded(wxStyledTextEvent& event) {
    int key = event.GetKey();
    bool lineEnd = GetEOLMode() == wxSTC_EOL_CR ? key == '\r' : key == '\n';
    int line = GetCurrentLine();
    if (!lineEnd || line == 0) return;
    // A new line starts with the indentation of the line before it.
    const char* text = GetCharacterPointer();
    int from = PositionFromLine(line - 1), to = from;
    while (to < GetLength() && (text[to] == ' ' || text[to] == '\t'))
        ++to;
    if (to == from) return;
    std::string indent(text + from, text + to);
    int at = GetCurrentPos();
    InsertText(at, wxString::FromUTF8(indent.c_str()));
    GotoPos(at + static_cast<int>(indent.size()));
}

void ProgramText::onUpdateUI(wxStyledTextEvent& event) {
    event.Skip();
    int pos = GetCurrentPos(), at = -1;
    if (auto* window = dynamic_cast<wxFrame*>(GetParent()); window && window->GetStatusBar())
        window->SetStatusText(wxString::Format(_("Line %d, column %d"), GetCurrentLine() + 1,
                                               pos - PositionFromLine(GetCurrentLine()) + 1),
                              1);
    if (pos > 0 && isBrace(GetCharAt(pos - 1)) &&
        GetStyleAt(pos - 1) == static_cast<int>(TokenKind::BRACE))
        at = pos - 1;
    else if (isBrace(GetCharAt(pos)) && GetStyleAt(pos) == static_cast<int>(TokenKind::BRACE))
        at = pos;
    if (at < 0) {
        BraceHighlight(wxSTC_INVALID_POSITION, wxSTC_INVALID_POSITION);
        return;
    }
    int match = BraceMatch(at);
    if (match == wxSTC_INVALID_POSITION)
        BraceBadLight(at);
    else
        BraceHighlight(at, match);
}

void ProgramText::markFault(int from, int column, int line, int viewAhead) {
    // A second report of the same fault keeps the hint the first one gave.
    int hintLine = faultLine();
    wxString hint = hintLine >= 0 ? AnnotationGetText(hintLine) : wxString();
    clearFault();
    const char* text = GetCharacterPointer();
    size_t length = static_cast<size_t>(GetLength());
    size_t lineStart = readerLineStart(text, length, line);
    auto inLine = [&](int byte) {
        return std::min(lineStart + static_cast<size_t>(std::max(byte, 0)), length);
    };
    // The caret stands where the scanner stood: after the token it refused, or on the
    // character it could not read, which is then underlined alone.
    size_t at = inLine(column), tokenStart = std::min(inLine(from), at);
    size_t tokenEnd = tokenStart < at ? at : std::min(at + 1, length);
    int editorLine = LineFromPosition(static_cast<int>(at));
    faultHandle = MarkerAdd(editorLine, FAULT_MARKER);
    faultText = lineBytes(editorLine);
    if (editorLine == hintLine) {
        AnnotationSetText(editorLine, hint);
        AnnotationSetStyle(editorLine, HINT_STYLE);
    }
    SetIndicatorCurrent(FAULT_INDICATOR);
    IndicatorFillRange(static_cast<int>(tokenStart), static_cast<int>(tokenEnd - tokenStart));
    int ahead = std::min(editorLine + viewAhead, GetLineCount() - 1);
    SetSelection(static_cast<int>(at), static_cast<int>(at));
    ScrollRange(PositionFromLine(ahead), static_cast<int>(at));
}

void ProgramText::showHint(const std::string& hint) {
    int line = faultLine();
    if (line < 0 || hint.empty()) return;
    // Broken into lines that fit the text's width, as an annotation is not wrapped.
    int width = std::max(GetClientSize().x - GetMarginWidth(NUMBER_MARGIN) -
                             GetMarginWidth(MARK_MARGIN) - TextWidth(HINT_STYLE, "WW"),
                         TextWidth(HINT_STYLE, wxString('n', 24)));
    wxString text, row;
    for (const wxString& word : wxSplit(wxString::FromUTF8(hint.c_str()), ' ', '\0')) {
        wxString longer = row.empty() ? word : row + " " + word;
        if (!row.empty() && TextWidth(HINT_STYLE, longer) > width) {
            text += row + "\n";
            longer = word;
        }
        row = longer;
    }
    AnnotationSetText(line, text + row);
    AnnotationSetStyle(line, HINT_STYLE);
}

void ProgramText::clearFault() {
    if (faultHandle < 0) return;
    AnnotationClearAll();
    MarkerDeleteHandle(faultHandle);
    faultHandle = -1;
    SetIndicatorCurrent(FAULT_INDICATOR);
    IndicatorClearRange(0, GetLength());
}

int ProgramText::faultLine() const {
    return faultHandle < 0 ? -1 : const_cast<ProgramText*>(this)->MarkerLineFromHandle(faultHandle);
}

void ProgramText::showNext(size_t offset) {
    const char* text = GetCharacterPointer();
    size_t at = std::min(offset, static_cast<size_t>(GetLength()));
    int length = std::max(1, tokenLength(text + at));
    int line = LineFromPosition(static_cast<int>(at));
    if (nextLine() == line && IndicatorValueAt(NEXT_INDICATOR, static_cast<int>(at)) &&
        IndicatorEnd(NEXT_INDICATOR, static_cast<int>(at)) == static_cast<int>(at) + length &&
        IndicatorStart(NEXT_INDICATOR, static_cast<int>(at)) == static_cast<int>(at))
        return; // lit already
    clearNext();
    MarkerAdd(line, NEXT_MARKER);
    SetIndicatorCurrent(NEXT_INDICATOR);
    IndicatorFillRange(static_cast<int>(at), length);
    EnsureVisible(line);
    ScrollRange(static_cast<int>(at) + length, static_cast<int>(at));
}

void ProgramText::clearNext() {
    MarkerDeleteAll(NEXT_MARKER);
    SetIndicatorCurrent(NEXT_INDICATOR);
    IndicatorClearRange(0, GetLength());
}

int ProgramText::nextLine() const {
    return const_cast<ProgramText*>(this)->MarkerNext(0, 1 << NEXT_MARKER);
}

void ProgramText::markCrash(size_t offset) {
    clearCrash();
    const char* text = GetCharacterPointer();
    size_t at = std::min(offset, static_cast<size_t>(GetLength()));
    int length = std::max(1, tokenLength(text + at));
    MarkerAdd(LineFromPosition(static_cast<int>(at)), CRASH_MARKER);
    SetIndicatorCurrent(CRASH_INDICATOR);
    IndicatorFillRange(static_cast<int>(at), length);
}

void ProgramText::clearCrash() {
    if (crashLine() < 0) return;
    MarkerDeleteAll(CRASH_MARKER);
    SetIndicatorCurrent(CRASH_INDICATOR);
    IndicatorClearRange(0, GetLength());
}

int ProgramText::crashLine() const {
    return const_cast<ProgramText*>(this)->MarkerNext(0, 1 << CRASH_MARKER);
}

void ProgramText::toggleBreakpoint(int line) {
    ++toggleCount;
    if (MarkerGet(line) & (1 << BREAK_MARKER))
        MarkerDelete(line, BREAK_MARKER);
    else
        MarkerAdd(line, BREAK_MARKER);
}

std::vector<int> ProgramText::breakpointLines() const {
    std::vector<int> lines;
    auto* self = const_cast<ProgramText*>(this);
    for (int line = self->MarkerNext(0, 1 << BREAK_MARKER); line >= 0;
         line = self->MarkerNext(line + 1, 1 << BREAK_MARKER))
        lines.push_back(line);
    return lines;
}

void ProgramText::onMarginClick(wxStyledTextEvent& event) {
    toggleBreakpoint(LineFromPosition(event.GetPosition()));
}

bool ProgramText::findText(const wxString& what, int flags, bool forward) {
    if (what.empty()) return false;
    int stcFlags = (flags & wxFR_MATCHCASE ? wxSTC_FIND_MATCHCASE : 0) |
                   (flags & wxFR_WHOLEWORD ? wxSTC_FIND_WHOLEWORD : 0);
    int from = forward ? GetSelectionEnd() : GetSelectionStart();
    int end = 0;
    int found = forward ? FindText(from, GetLength(), what, stcFlags, &end)
                        : FindText(from, 0, what, stcFlags, &end);
    if (found == wxSTC_INVALID_POSITION)
        found = forward ? FindText(0, from, what, stcFlags, &end)
                        : FindText(GetLength(), from, what, stcFlags, &end);
    if (found == wxSTC_INVALID_POSITION) return false;
    SetSelection(found, end);
    EnsureCaretVisible();
    return true;
}

void ProgramText::openFind() {
    if (GetSelectionEnd() > GetSelectionStart()) findData.SetFindString(GetSelectedText());
    if (!findDialog) {
        findDialog = new wxFindReplaceDialog(this, &findData, _("Find"));
        findDialog->Bind(wxEVT_FIND, &ProgramText::onFind, this);
        findDialog->Bind(wxEVT_FIND_NEXT, &ProgramText::onFind, this);
        findDialog->Bind(wxEVT_FIND_CLOSE, [this](wxFindDialogEvent&) {
            findDialog->Destroy();
            findDialog = nullptr;
        });
    }
    findDialog->Show();
    findDialog->Raise();
}

void ProgramText::onFind(wxFindDialogEvent& event) {
    if (!findText(event.GetFindString(), event.GetFlags(), event.GetFlags() & wxFR_DOWN)) wxBell();
}

void ProgramText::findAgain(bool forward) {
    if (findData.GetFindString().empty())
        openFind();
    else if (!findText(findData.GetFindString(), findData.GetFlags(), forward))
        wxBell();
}

void ProgramText::onKeyDown(wxKeyEvent& event) {
    int key = event.GetKeyCode();
    if (event.GetModifiers() == wxMOD_CONTROL && key == 'F') {
        openFind();
        return;
    }
    if (key == WXK_F9 && event.GetModifiers() == wxMOD_NONE) {
        toggleBreakpoint(GetCurrentLine());
        return;
    }
    if (key == WXK_F3 && !event.ControlDown() && !event.AltDown()) {
        findAgain(!event.ShiftDown());
        return;
    }
    event.Skip();
}

#include "lang/errormsg.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "lang/outside.h"
#include "lang/scanner.h"

#include <algorithm>
#include <cstdio>

char msgBuff[80];

bool errorMsg(const char* msg, const char* token) {
    if (!token) token = "";
    const char* file = f.fileName();
    int line = f.currentLine();
    int lines = compilerListener().showProgramFile(file);
    int viewLine = line, boxY = 450;
    if (line < 8) {
        boxY = 130;
    } else if (lines > line + 10) {
        viewLine = line + 10;
        boxY = 290;
    } else if (lines > line + 5) {
        viewLine = line + 5;
        boxY = 360;
    }
    compilerListener().showFault(std::min(tokenColumn() - 1, pos), pos, line, viewLine);
    formatCut(msgBuff, sizeof msgBuff, "%s\n%s", tr(msg), token);
    char caption[32];
    formatCut(caption, sizeof caption, tr("Line %d"), line);
    compilerListener().programFault(file, line, pos + 1, msg, token);
    dialogs().messageBox(msgBuff, caption, 250, boxY);
    return false;
}

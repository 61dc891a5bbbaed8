// The help texts of the main window.
#include "app/helptext.h"

const char* const keypressHelp =
    "Keypress commands:\nm: move\t(moves one square forward)\n"
    "l: left\t(turns 90 degrees left)\nr: read\t(read character into b1)\n"
    "w: write\t(write character out from b1)\n1: b1=b2\t(copy from b2 to b1)\n"
    "2: b2=b1\t(copy from b1 to b2)\nd: define\t(define an instruction)\n"
    "e: exec\t(execute a defined instruction)\ns: step\t(execute next step in program)\n"
    "Ctrl-r: run\t(run program)";

const char* const languageHelp =
    "Following are the rules of the syntax of Pindle's language.\n"
    "Rules take the form 'X => Y', i.e., 'X expands to Y'.\n"
    "Symbols between <..> are non-terminals, expanded by rules.\n"
    "For example, <instruction> => <primitive-instruction> means\n"
    "    that <instruction> can be expanded as <primitive-instruction>\n"
    "    (<primitive-instruction> is expanded by another rule).\n"
    "'OR' gives alternative expansions on the right side of a rule.\n"
    "'*' means zero or more, so <letter>* means zero or more <letter>s.\n"
    "All other symbols in lower-case are tokens or words in the language;\n"
    "    so 'move' and '{' are tokens, for which no rules are needed.\n\n"
    "<define-instruction> => define <instruction-name> as <compound-instruction>\n"
    "<instruction-name> => <letter> <letter>*\n"
    "<letter> => A OR B OR ... OR Z OR a OR b ... OR z\n"
    "<instruction> => <primitive-instruction>\n\t\tOR <compound-instruction>\n"
    "\t\tOR <conditional-instruction>\n\t\tOR <repetition-instruction>\n"
    "<primitive-instruction> => move OR left\n\t\t\tOR read OR write\n\t\t\tOR b1=b2 OR b2=b1\n"
    "\t\t\tOR pause\n<compound-instruction => { <instruction>* }\n"
    "<conditional-instruction> => \n\tif ( <test> ) <instruction>\n"
    "\tOR if ( <test> ) <instruction> else <instruction>\n"
    "<repetition-instruction> => while ( <test> ) <instruction>\n"
    "<test> => <predicate> OR not <predicate>\n"
    "<predicate> => frontClear OR facingNorth OR cornerHasSomething\n"
    "\t\tOR b1==b2 OR b1=='char' OR b2 == 'char'\n";

const char* const aboutText =
    "Pindle's World 1.2\nA robot on a grid of street corners that you drive with keys, teach "
    "new instructions, and program in its own small language.";

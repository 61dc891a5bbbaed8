// The help texts of the main window.
#include "app/helptext.h"

#include "app/commandtable.h"
#include "app/ids.h"
#include "io/translate.h"
#include "lang/outside.h"

const char* const keypressHelp =
    // TRANSLATORS: the keys (m, l, ...) and the words after them (move, left, ...) stay as they
    // are; translate what is in brackets.
    N_("Keypress commands:\nm: move\t(moves one square forward)\n"
       "l: left\t(turns 90 degrees left)\nr: read\t(read character into b1)\n"
       "w: write\t(write character out from b1)\n1: b1=b2\t(copy from b2 to b1)\n"
       "2: b2=b1\t(copy from b1 to b2)\nd: define\t(define an instruction)\n"
       "e: exec\t(execute a defined instruction)\ns: step\t(execute next step in program)\n"
       "Ctrl-r: run\t(run program)");

const char* const languageHelp =
    // TRANSLATORS: translate the explanations; the rules (lines with =>) and the words of the
    // language stay as they are.
    N_("Following are the rules of the syntax of Pindle's language.\n"
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
       "\t\tOR b1==b2 OR b1=='char' OR b2 == 'char'\n");

const char* const aboutText =
    N_("Pindle's World 1.2\nA robot on a grid of street corners that you drive with keys, teach "
       "new instructions, and program in its own small language.");

const char* const examplesHelp =
    // TRANSLATORS: the indented program lines and the language's words before each ":" stay as
    // they are; translate the explanations and the comments after "/".
    N_("Each instruction and test of Pindle's language, with an example.\n"
       "A program is a list of definitions; the robot runs the one named main.\n\n"
       "move: one corner forward (a wall in the way stops the run)\n"
       "    define main as { move move }\n\n"
       "left: a quarter turn to the left\n"
       "    define main as { left left }   / now facing the other way\n\n"
       "define NAME as { ... }: a new instruction, used by its name below it\n"
       "    define turnRight as { left left left }\n"
       "    define main as { turnRight move }\n\n"
       "read: the thing on the corner into board b1\n"
       "write: b1's thing onto the corner\n"
       "    define main as { read move write }   / carry a copy one corner on\n\n"
       "b1=b2 and b2=b1: copy one board into the other\n"
       "    define main as { read b2=b1 move b1=b2 write }\n\n"
       "pause: stop here; Step or Continue goes on\n"
       "    define main as { move pause move }\n\n"
       "if (TEST) ... else ...: do one thing or the other\n"
       "    define main as { if (frontClear) move else left }\n\n"
       "while (TEST) ...: again and again while the test holds\n"
       "    define main as { while (frontClear) move }\n\n"
       "not: the opposite of a test\n"
       "    define main as { while (not facingNorth) left }\n\n"
       "frontClear: no wall ahead\n"
       "facingNorth: the robot faces north\n"
       "cornerHasSomething: a thing lies on the corner\n"
       "    define main as { while (not cornerHasSomething) move }\n\n"
       "b1==b2, b1=='c', b2=='c': compare the boards, or a board with a letter\n"
       "    define main as { read if (b1=='X') left }\n\n"
       "An instruction may use itself: it goes on until its test stops it.\n"
       "    define walk as { if (frontClear) { move walk } }\n"
       "    define main as { walk }\n\n"
       "A / starts a comment that runs to the end of its line.");

void showBothWindowsHelp(int id) {
    if (id == ID_KEYS_HELP)
        dialogs().showText(keysAndCommands().c_str(), tr("Keys and commands"));
    else
        dialogs().showText(tr(examplesHelp), tr("The language by example"));
}

// pindle: the window program.
#include "app/pindle.h"

#include <cstdio>
#include <cstring>

wxIMPLEMENT_APP_NO_MAIN(MyApp);

namespace {

const char* const helpText =
    "usage: pindle [CONFIG]\n"
    "       pindle WORLD.sit | PROGRAM.pnd ...\n"
    "       pindle --help | --version\n"
    "Opens the window on the world and the program that the configuration file CONFIG names\n"
    "(\"X Y WORLD.sit PROGRAM.pnd WIDTH HEIGHT\"; pindle.cfg in the current folder when there\n"
    "is no argument), or on the worlds and programs named; the bundled mountain example\n"
    "stands in for what is not named. See pindle(1).\n";

// Prints the help or the version when the only argument asks for one; false otherwise.
bool printedInfo(int argc, char** argv) {
    if (argc != 2) return false;
    if (std::strcmp(argv[1], "--help") == 0)
        std::fputs(helpText, stdout);
    else if (std::strcmp(argv[1], "--version") == 0)
        std::printf("pindle (Pindle's World) %s\n", pindleVersion);
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (printedInfo(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 2;
    // The toolkit hands its own arguments on as converted text, which drops names that are not
    // in the locale's encoding; file names are taken as the system gives them.
    MyApp::keepCommandLine(argc, argv);
    // A fault of the toolkit's own checks is for developers: it goes to standard error, never
    // into a box in front of a student.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func,
                          const wxString& cond, const wxString& msg) {
        std::fprintf(stderr, "pindle: toolkit check failed: %s (%s) in %s at %s:%d\n",
                     static_cast<const char*>(cond.utf8_str()),
                     static_cast<const char*>(msg.utf8_str()),
                     static_cast<const char*>(func.utf8_str()),
                     static_cast<const char*>(file.utf8_str()), line);
    });
    return wxEntry(argc, argv);
}

// pindle: the window program.
#include "app/pindle.h"

wxIMPLEMENT_APP_NO_MAIN(MyApp);

int main(int argc, char** argv) {
    // The toolkit hands its own arguments on as converted text, which drops names that are not
    // in the locale's encoding; file names are taken as the system gives them.
    MyApp::keepCommandLine(argc, argv);
    return wxEntry(argc, argv);
}

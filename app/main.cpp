// pindle: the window program.
#include "app/pindle.h"

wxIMPLEMENT_APP(MyApp);

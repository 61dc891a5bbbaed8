#include "app/desktopkeys.h"

#include <dlfcn.h>

void takeF10FromTheMenuBar() {
    // The toolkit's library is already loaded by wxWidgets: its settings object is found there,
    // so the program needs no headers of its own for it.
    using Settings = void* (*)();
    using SetProperty = void (*)(void*, const char*, ...);
    auto settings = reinterpret_cast<Settings>(dlsym(RTLD_DEFAULT, "gtk_settings_get_default"));
    auto set = reinterpret_cast<SetProperty>(dlsym(RTLD_DEFAULT, "g_object_set"));
    void* object = settings ? settings() : nullptr;
    if (object && set) set(object, "gtk-menu-bar-accel", "", nullptr);
}

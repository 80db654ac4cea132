// bruvo-gallery: the toolkit's controls in one window, for a newcomer to see
// each one working and how it is made (examples/GalleryForm.cpp).
#include "app/Application.h"
#include "examples/GalleryForm.h"

#include <cstdio>

int main()
{
    Application application("Bruvo toolkit gallery");
    if (application.HasFailed()) {
        std::puts("bruvo-gallery needs an X display: set DISPLAY to a running X server.");
        return 1;
    }
    GalleryForm gallery(&application);
    gallery.Run();
    return 0;
}

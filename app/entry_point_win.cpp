// Tamsi's entry point.
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    if (!StartTamsi(instance, showState)) return 0;
    return RunMessageLoop();
}

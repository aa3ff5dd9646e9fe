// Program entry of Vorn.scr: the main form chooses the mode while it is
// created and the message loop runs until it closes.
#include <windows.h>

#include "app/main_form.h"

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) { return RunMainForm(inst); }

#pragma once
// Resource numbers shared by res/vorn.rc and the code that loads them.
#define IDI_VORN 1

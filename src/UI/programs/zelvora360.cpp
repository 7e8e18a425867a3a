// zelvora360: the Zelvora 360 Feedback desktop program.
#include "UI/DesktopProgram.h"

int main(int argc, char** argv) { return zelvora::RunDesktopProgram(argc, argv); }

// The one application object of ambrel.exe.
#include "shell/ambrel_app.h"

CAmbrelApp theApp;

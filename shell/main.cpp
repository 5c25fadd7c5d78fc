#include "shell/startup.h"

int main() { return zefa::RunProgram(); }

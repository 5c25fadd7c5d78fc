#include "framework/runtime/standard_streams.h"
#include "shell/startup.h"

int main() {
  zefa::KeepStandardDescriptorsOpen();
  return zefa::RunProgram();
}

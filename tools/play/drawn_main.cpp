// kelvorn-play-drawn: kelvorn-play drawing every picture into memory as the window does
// (with black pictures of the real sizes). Slower; the game must come out the same as
// without the drawing, which the tests check on the whole winning route.
#include "tools/play/command_line.h"
#include "tools/play/memory_drawing.h"

int main(int argc, char** argv) {
  kelvorn::play::MemoryDrawing drawing;
  return kelvorn::play::runCommandLine(argc, argv, &drawing);
}

// "Can I still win?" as the window asks it, on saved positions: the window's search
// (RouteCheck on its own thread, with the window's budget) for one goal from each save,
// timed from the question to the answer. A measuring tool, not a test.
//   kelvorn-bench-route-check GOAL SAVE...   (GOAL 0 next floor, 1 checkpoint, 2 ending)
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "storage/start_save.h"
#include "ui/route_check.h"

int main(int argc, char** argv) {
  using namespace kelvorn;
  if (argc < 3 || std::string(argv[1]).find_first_not_of("012") != std::string::npos ||
      std::string(argv[1]).size() != 1) {
    std::cerr << "usage: kelvorn-bench-route-check 0|1|2 SAVE...\n";
    return 2;
  }
  const int goal = argv[1][0] - '0';
  double slowest = 0;
  for (int i = 2; i < argc; ++i) {
    std::string reason;
    const auto save = storage::readStartSave(argv[i], reason);
    if (!save) {
      std::cerr << "kelvorn-bench-route-check: " << reason << "\n";
      return 1;
    }
    const ui::Question asked = ui::question(save->state, goal);
    ui::RouteCheck check;
    const auto began = std::chrono::steady_clock::now();
    check.start(*save, asked, ui::kSearchSeconds);
    while (check.running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    slowest = std::max(slowest, seconds);
    std::string answer = ui::answerText(*check.result(), asked.text, false, ui::kSearchSeconds);
    for (char& c : answer) c = c == '\n' ? '|' : c;
    std::printf("%-40s floor %2d  %7.3f s  %s\n", argv[i], save->state[gs::Floor], seconds,
                answer.c_str());
  }
  std::printf("slowest: %.3f s\n", slowest);
  return 0;
}
